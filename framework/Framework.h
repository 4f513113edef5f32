#pragma once
// Everything of the framework layer in one include.
#include "App.h"
#include "Dialog.h"
#include "Geometry.h"
#include "Runtime.h"
#include "Strings.h"
#include "Wnd.h"
