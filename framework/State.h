#pragma once
// Process-wide state of the framework (one UI thread): the application and the module handles.
#include "App.h"

struct FrameworkState {
    CWinApp* app = nullptr;
    HINSTANCE instance = nullptr;
    HINSTANCE resources = nullptr;
    bool oleInitialised = false;
};

FrameworkState& AfxState();
