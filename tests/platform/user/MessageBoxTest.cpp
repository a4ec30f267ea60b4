#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "Reaper.h"
#include "TestWindows.h"

namespace {

void Press(UINT vk) {
    InjectKey(vk, true);
    InjectKey(vk, false);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

class MessageBoxes : public ::testing::Test {
protected:
    void TearDown() override { SetMessageBoxHook(nullptr); }

    Reaper reaper_;
    TestWindows windows_;
};

TEST_F(MessageBoxes, TheHookOrInputAnswersThroughTheButtons) {
    HWND owner = windows_.Top(0, 0, 300, 200);
    struct Case {
        const char* name;
        UINT type;
        std::function<int()> answer;  // runs inside the hook
        int expected;
    } cases[] = {
        {"OK", MB_OK, [] { return IDOK; }, IDOK},
        {"No", MB_YESNO | MB_ICONQUESTION, [] { return IDNO; }, IDNO},
        {"Cancel of three", MB_YESNOCANCEL, [] { return IDCANCEL; }, IDCANCEL},
        {"Enter presses the default button", MB_YESNO | MB_DEFBUTTON2,
         [] {
             Press(VK_RETURN);
             return 0;
         },
         IDNO},
        {"Escape does nothing without Cancel", MB_YESNO,
         [] {
             Press(VK_ESCAPE);
             Press(VK_RETURN);
             return 0;
         },
         IDYES},
        {"Escape is OK in an OK box", MB_OK,
         [] {
             Press(VK_ESCAPE);
             return 0;
         },
         IDOK},
        {"Escape cancels", MB_OKCANCEL,
         [] {
             Press(VK_ESCAPE);
             return 0;
         },
         IDCANCEL},
        {"a button the box lacks is not pressed", MB_YESNO,
         [] {
             Press(VK_RETURN);
             return IDOK;
         },
         IDYES},
    };
    for (const Case& c : cases) {
        bool ownerEnabled = true;
        SetMessageBoxHook([&](const MessageBoxRequest& r) {
            ownerEnabled = IsWindowEnabled(owner) != FALSE;
            EXPECT_EQ(r.type, c.type);
            return c.answer();
        });
        EXPECT_EQ(MessageBoxW(owner, L"Are you sure?", L"Marlowin", c.type), c.expected) << c.name;
        EXPECT_FALSE(ownerEnabled) << c.name << ": the owner waits for the box";
        EXPECT_TRUE(IsWindowEnabled(owner)) << c.name;
    }
}

TEST_F(MessageBoxes, ABoxShowsItsTextCaptionAndButtons) {
    struct Seen {
        std::wstring caption, text;
        std::vector<int> buttons;
        bool cancel = false;
        uint32_t iconPixel = 0;
    } seen;
    SetMessageBoxHook([&](const MessageBoxRequest& r) {
        seen.caption = TextOf(r.box);
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE})
            if (GetDlgItem(r.box, id) != nullptr)
                seen.buttons.push_back(id);
        for (HWND c = GetWindow(r.box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
            if (TextOf(c) == r.text)
                seen.text = TextOf(c);
        // The icon: a red disc left of the text.
        UpdateWindow(r.box);
        HWND icon = GetWindow(r.box, GW_CHILD);
        RECT ir{}, wr{};
        GetWindowRect(icon, &ir);
        GetWindowRect(r.box, &wr);
        WindowPixels px(r.box);
        if (px.Valid())
            seen.iconPixel =
                px.Buffer().Row(ir.top + 3 - wr.top)[(ir.left + ir.right) / 2 - wr.left];
        return IDRETRY;
    });
    EXPECT_EQ(MessageBoxW(nullptr, L"open hdd fail!", nullptr, MB_ABORTRETRYIGNORE | MB_ICONERROR),
              IDRETRY);
    EXPECT_EQ(seen.caption, L"Error") << "the caption of a box without one";
    EXPECT_EQ(seen.text, L"open hdd fail!");
    EXPECT_EQ(seen.buttons, (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
    EXPECT_EQ(seen.iconPixel, 0xC81E1Eu);
}

// Pumps this thread's messages until `done` or a few seconds have passed.
bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end) {
        TestWindows::Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

TEST_F(MessageBoxes, AWorkerThreadOwnsItsBox) {
    HWND owner = windows_.Top(0, 0, 300, 200);
    std::atomic<bool> ownerEnabled{false}, hookOnWorker{false}, finished{false};
    std::atomic<HWND> boxParent{owner};
    std::atomic<int> result{0};
    std::thread::id worker;
    SetMessageBoxHook([&](const MessageBoxRequest& r) {
        ownerEnabled = IsWindowEnabled(owner) != FALSE;
        hookOnWorker = std::this_thread::get_id() == worker;
        boxParent = GetParent(r.box);
        return IDYES;
    });
    std::thread t([&] {
        result = MessageBoxW(owner, L"Stop extracting by user!", L"Marlowin", MB_YESNO);
        finished = true;
    });
    worker = t.get_id();
    EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));
    t.join();
    EXPECT_EQ(result, IDYES);
    EXPECT_TRUE(hookOnWorker);
    EXPECT_TRUE(ownerEnabled) << "a box of another thread never disables the owner";
    EXPECT_EQ(boxParent.load(), nullptr);
}

TEST_F(MessageBoxes, AWorkersBoxServesSendsAndTakesInput) {
    std::mutex mutex;
    std::condition_variable cv;
    HWND box = nullptr, workerWindow = nullptr;
    SetMessageBoxHook([&](const MessageBoxRequest& r) {
        std::lock_guard lock(mutex);
        box = r.box;
        cv.notify_all();
        return 0;  // left to the user
    });
    std::atomic<int> result{0};
    std::thread t([&] {
        TestWindows mine;
        HWND w = mine.Top(10, 10, 50, 50, WS_POPUP);
        TestWindows::On(w, WM_APP, [](HWND, WPARAM wp, LPARAM) { return LRESULT(wp * 2); });
        {
            std::lock_guard lock(mutex);
            workerWindow = w;
        }
        result = MessageBoxW(nullptr, L"Player Init Error", L"Marlowin", MB_OK);
    });
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(5), [&] { return box != nullptr; }));
    }
    EXPECT_EQ(SendMessage(workerWindow, WM_APP, 21, 0), 42) << "served inside the box's loop";
    EXPECT_EQ(GetForegroundWindow(), box);
    Press(VK_RETURN);
    t.join();
    EXPECT_EQ(result, IDOK);
}

// A box left open over a dialog that ends (a program closing under its
// boxes) ends with it, as its close box would, and takes the boxes it owns
// along; it never stays alone on the screen.
TEST_F(MessageBoxes, BoxesEndWithTheDialogThatOwnsThem) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    t.cx = 120;
    t.cy = 60;
    t.title = L"Owner";
    HWND owner = CreateDialogIndirectParamW(
        nullptr, &t, nullptr, [](HWND, UINT, WPARAM, LPARAM) -> intptr_t { return FALSE; }, 0);
    ASSERT_NE(owner, nullptr);
    std::vector<HWND> boxes;
    std::vector<int> innerResults;
    SetMessageBoxHook([&](const MessageBoxRequest& r) {
        boxes.push_back(r.box);
        if (boxes.size() == 1) {
            // A second box over the first, ended by the owner's end as well.
            innerResults.push_back(MessageBoxW(r.box, L"error2", L"Marlowin", MB_YESNO));
            return 0;
        }
        EndDialog(owner, IDOK);
        // Were the boxes left open, these answers would end them instead.
        PostMessage(r.box, WM_COMMAND, MAKEWPARAM(IDNO, 0), 0);
        PostMessage(boxes[0], WM_COMMAND, MAKEWPARAM(IDNO, 0), 0);
        return 0;
    });
    const int result = MessageBoxW(owner, L"Index file damage", L"Marlowin", MB_YESNO);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(innerResults, std::vector<int>{IDCANCEL});
    EXPECT_FALSE(IsWindow(boxes[0]));
    EXPECT_FALSE(IsWindow(boxes[1]));
    DestroyWindow(owner);
}

}  // namespace
