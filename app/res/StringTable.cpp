#include "app/res/StringTable.h"

#include <iterator>

#include "app/res/ResourceIds.h"
#include "app/shell/BindingTexts.h"

namespace {

const StringEntry kStrings[] = {
    {IDS_MSG_PLAYER_LIB_FAIL, kPlayerLibraryFailure},
    {IDS_MSG_PLAYER_INIT_FAIL, kPlayerInitFailure},
    {IDS_MSG_EXPORT_LIB_FAIL, kExportLibraryFailure},
    {IDS_MSG_REBUILD_TITLE, L"HDD Time Index Rebuild"},
    {IDS_MSG_REBUILD_STATUS, L"rebuild hdd time index.."},
};

}  // namespace

const StringEntry* StringTableBegin() {
    return std::begin(kStrings);
}

const StringEntry* StringTableEnd() {
    return std::end(kStrings);
}
