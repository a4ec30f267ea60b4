// The skin bitmaps, drawn at build time from the SVG sources in skin/ (see
// README.md); the definition is generated.
#pragma once

// Adds every skin bitmap under its SkinBitmapId.
void RegisterSkinBitmaps();
