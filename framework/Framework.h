#pragma once
// Everything of the framework layer in one include.
#include "App.h"
#include "Controls.h"
#include "Dialog.h"
#include "File.h"
#include "Gdi.h"
#include "Geometry.h"
#include "Image.h"
#include "ListControls.h"
#include "Menu.h"
#include "Runtime.h"
#include "Strings.h"
#include "Wnd.h"
