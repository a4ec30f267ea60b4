#include "platform/afx/Font.h"

BOOL CFont::CreatePointFont(int pointSize, const wchar_t* face) {
    LOGFONTW f{};
    f.lfHeight = -MulDiv(pointSize, 96, 720);
    f.lfWeight = FW_NORMAL;
    f.lfCharSet = DEFAULT_CHARSET;
    for (int i = 0; face != nullptr && face[i] != 0 && i < LF_FACESIZE - 1; ++i)
        f.lfFaceName[i] = face[i];
    return CreateFontIndirect(&f);
}
