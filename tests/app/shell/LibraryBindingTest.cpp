#include "app/shell/LibraryBinding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/afx/MessageBox.h"
#include "platform/user/Messages.h"

namespace {

const std::vector<std::wstring> kTrevaneOrder = {
    L"TrevaneInfo",     L"zInit",           L"zRelease",        L"zOpen",
    L"zTellStatusType", L"zTellOpenedType", L"zTellGopVersion", L"zPlayMSG",
    L"zTellScreenNum",  L"zTellSampleRate", L"zTellSampleBits", L"zTellFullScreenIdx",
    L"zSetFullScreen",  L"zTellDivStatus",  L"zSetDivStatus",   L"zTellCarId",
    L"zOpenVoice",      L"zCloseVoice",     L"zSetVoiceVolume", L"zTellVoiceVolume",
    L"zTellp",          L"zTellTotalLen",   L"zTellBegTime",    L"zTellEndTime",
    L"zStartExtract",   L"zStopExtract",    L"zTellTimeInxHd",  L"zTellTimeInxUnit",
    L"zTellEvtInxHd",   L"zTellEvtInxUnit", L"zTellQuickInxHd", L"zTellQuickInxUnit",
    L"zSetRecord",      L"zSetAudioType",   L"zGetGPSData",     L"zDisplayOsd"};
const std::vector<std::wstring> kOskuloOrder = {L"zExtractInfo",     L"zExtractPre",
                                                L"zExtractWrite",    L"zExtractFin",
                                                L"zIsExtractOpened", L"zExtractOutput"};

std::wstring StubPath(const std::string& name) {
    return std::wstring(L"" BINDING_STUB_DIR L"/lib") + std::wstring(name.begin(), name.end()) +
           L".so";
}

std::string Narrow(const std::wstring& s) {
    return std::string(s.begin(), s.end());
}

void MsgCallback(int, int) {}
void ErrorCallback(int, DWORD, int) {}

// Each case starts unbound, as the program does; libraries stay loaded.
class LibraryBinding : public testing::Test {
protected:
    void SetUp() override {
        Unbind();
        SetMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes_.push_back(r.text);
            types_.push_back(r.type);
            return IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        Unbind();
    }
    static void Unbind() {
        g_hTrevaneLib = nullptr;
        g_hOskuloLib = nullptr;
        for (const BoundExport& e : TrevaneExports())
            e.store(nullptr);
        for (const BoundExport& e : OskuloExports())
            e.store(nullptr);
    }

    std::vector<std::wstring> boxes_;
    std::vector<UINT> types_;
};

std::vector<std::wstring> Names(std::span<const BoundExport> exports) {
    std::vector<std::wstring> names;
    for (const BoundExport& e : exports)
        names.push_back(e.name);
    return names;
}

TEST_F(LibraryBinding, BindsTheRequiredExportsInOrder) {
    EXPECT_EQ(Names(TrevaneExports()), kTrevaneOrder);
    EXPECT_EQ(Names(OskuloExports()), kOskuloOrder);
}

TEST_F(LibraryBinding, TheFullSetBindsOnceAndASecondCallIsRefused) {
    ASSERT_TRUE(InitTrevaneLib(StubPath("TrevaneStub").c_str()));
    for (const BoundExport& e : TrevaneExports())
        EXPECT_TRUE(e.isBound()) << Narrow(e.name);
    const HMODULE first = g_hTrevaneLib;
    EXPECT_FALSE(InitTrevaneLib(StubPath("TrevaneStub").c_str()));
    EXPECT_EQ(g_hTrevaneLib, first);

    ASSERT_TRUE(InitzExtractLib(StubPath("OskuloStub").c_str()));
    EXPECT_FALSE(InitzExtractLib(StubPath("OskuloStub").c_str()));
}

TEST_F(LibraryBinding, ALibraryWithoutTheUnboundExportsBinds) {
    EXPECT_TRUE(InitTrevaneLib(StubPath("TrevaneStubBoundOnly").c_str()));
}

TEST_F(LibraryBinding, AMissingLibraryLeavesNothingBound) {
    EXPECT_FALSE(InitTrevaneLib(StubPath("NoSuchLibrary").c_str()));
    EXPECT_EQ(g_hTrevaneLib, nullptr);
    EXPECT_FALSE(TrevaneExports()[0].isBound());
    EXPECT_EQ(GetLibraryProc(nullptr, L"zInit"), nullptr);
}

void ExpectStopsAt(std::span<const BoundExport> exports, const std::string& library,
                   bool (*init)(const wchar_t*), std::size_t missing) {
    const std::wstring name = exports[missing].name;
    EXPECT_FALSE(init(StubPath(library + "StubWithout_" + Narrow(name)).c_str()));
    for (std::size_t i = 0; i < exports.size(); ++i)
        EXPECT_EQ(exports[i].isBound(), i < missing) << Narrow(name) << " missing, at " << i;
}

TEST_F(LibraryBinding, EachMissingExportStopsTheBindingThere) {
    for (std::size_t i = 0; i < TrevaneExports().size(); ++i) {
        Unbind();
        ExpectStopsAt(TrevaneExports(), "Trevane", &InitTrevaneLib, i);
    }
    for (std::size_t i = 0; i < OskuloExports().size(); ++i) {
        Unbind();
        ExpectStopsAt(OskuloExports(), "Oskulo", &InitzExtractLib, i);
    }
}

TEST_F(LibraryBinding, CallThroughsPassArgumentsAndResultsWhole) {
    ASSERT_TRUE(InitTrevaneLib(StubPath("TrevaneStub").c_str()));
    ASSERT_TRUE(InitzExtractLib(StubPath("OskuloStub").c_str()));
    char version[20] = {}, time[20] = {}, date[20] = {};
    EXPECT_EQ(Call_TrevaneInfo(version, time, date), 7);
    EXPECT_STREQ(version, "stub");
    EXPECT_TRUE(Call_zInit(reinterpret_cast<HWND>(0x1234), &MsgCallback, nullptr, nullptr, nullptr,
                           nullptr, &ErrorCallback));
    EXPECT_TRUE(Call_zOpen(2, "d.dvr", "d.inx", -1, 5));
    EXPECT_TRUE(Call_zPlayMSG(9, intptr_t(0x123456789A), 0xFFFFFFFFu, -2, "osd"));
    EXPECT_EQ(Call_zTellp(), 0x123456789LL);
    EXPECT_EQ(Call_zTellTotalLen(), -0x200000001LL);
    EXPECT_EQ(Call_zTellOpenedType(), 3);
    EXPECT_EQ(Call_zTellEndTime(), 1700003600);
    EXPECT_EQ(Call_zStartExtract(0x89ABCDEFu, 1, 0xFFFFFFFFu, 2), 1);
    EXPECT_TRUE(Call_zDisplayOsd(false));
    EXPECT_FALSE(Call_zDisplayOsd(true));
    int volume = 0;
    EXPECT_TRUE(Call_zTellVoiceVolume(&volume));
    EXPECT_EQ(volume, 42);
    char car[16] = {};
    EXPECT_EQ(Call_zTellCarId(car), 5);
    EXPECT_STREQ(car, "CAR-7");
    InxUnit unit{};
    EXPECT_TRUE(Call_zTellTimeInxUnit(7, &unit));
    EXPECT_TRUE(Call_zSetVoiceVolume(0xFFFF));

    ExtractParams params{};
    params.numChannels = 16;
    params.aviOn[15] = 1;
    std::strcpy(params.outputDir, "/out");
    EXPECT_TRUE(Call_zExtractPre(params));
    GopInfo info{};
    const char gop[4] = {};
    EXPECT_EQ(Call_zExtractWrite(1, gop, 40, &info), 41);
    EXPECT_TRUE(Call_zIsExtractOpened());
    char path[32] = {};
    EXPECT_EQ(Call_zExtractOutput(0, path, int(sizeof path)), 1);
    EXPECT_STREQ(path, "/out/stub.avi");
}

struct BindCase {
    const char* name;
    std::string trevane;
    bool playerStarts;
    std::string oskulo;
    std::vector<std::wstring> boxes;
    bool playerStarted;
    bool result;
};

TEST_F(LibraryBinding, EachFailureIsExplainedOnceAndEndsTheSequence) {
    const std::vector<BindCase> cases = {
        {"all present", "TrevaneStub", true, "OskuloStub", {}, true, true},
        {"no player library",
         "NoSuchLibrary",
         true,
         "OskuloStub",
         {L"InitTrevaneLib Fail, Please check and try again !"},
         false,
         false},
        {"player lacks zSetRecord",
         "TrevaneStubWithout_zSetRecord",
         true,
         "OskuloStub",
         {L"InitTrevaneLib Fail, Please check and try again !"},
         false,
         false},
        {"player does not start",
         "TrevaneStub",
         false,
         "OskuloStub",
         {L"Player Init Error"},
         true,
         false},
        {"no export library",
         "TrevaneStub",
         true,
         "NoSuchLibrary",
         {L"InitzExtractLib fail, please check and try again!"},
         true,
         false},
    };
    for (const BindCase& c : cases) {
        Unbind();
        boxes_.clear();
        types_.clear();
        bool started = false;
        const bool result = BindLibraries(
            [&] {
                started = true;
                return c.playerStarts;
            },
            StubPath(c.trevane).c_str(), StubPath(c.oskulo).c_str());
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(started, c.playerStarted) << c.name;
        EXPECT_EQ(boxes_, c.boxes) << c.name;
        for (UINT type : types_)
            EXPECT_EQ(type, MB_OK) << c.name;
        EXPECT_EQ(g_hOskuloLib != nullptr, c.result) << c.name;
    }
}

}  // namespace
