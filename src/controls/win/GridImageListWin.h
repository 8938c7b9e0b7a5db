// The Windows image list behind a GridImageList, for the window that draws
// the grid.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "controls/GridImageList.h"

// The system image list holding the images; null for a list that was not
// made by GridImageList::Create.
HIMAGELIST GetImageListHandle(const GridImageList& images);
