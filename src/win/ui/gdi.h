#pragma once
// The device-context owners now live with the other handle owners; kept so that code still
// including this header builds until it includes win/sys/handles.h.
#include "win/sys/handles.h"
