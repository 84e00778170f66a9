// resource.h - resource ids of the application.
#pragma once

#include "platform/resources.h"

enum : unsigned {
    IDD_ABOUTBOX = 100,
    IDR_MAINFRAME = 128,  // document string, menu, accelerators and icon of the main frame
};

// The application's resource table (registered with AfxSetResources).
extern const ResourceTable kOskResources;
