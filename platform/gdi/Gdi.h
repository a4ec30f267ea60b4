// Everything of the GDI layer at once.
#pragma once

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PenBrush.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/Text.h"
