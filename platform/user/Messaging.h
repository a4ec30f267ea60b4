// Posting, sending, retrieving and dispatching window messages, with the
// thread affinity of the window system we stand in for:
// - a window belongs to the thread that created it; its procedure runs only there;
// - PostMessage works from any thread and never blocks; messages posted to one
//   thread are retrieved in the order they were posted;
// - SendMessage to a window of another thread blocks the sender until the
//   owner has handled it. The owner handles sent messages whenever it waits in
//   GetMessage, PeekMessage, a modal loop or a SendMessage of its own, so two
//   threads sending to each other are served instead of deadlocking. A send to
//   a thread that has ended, or to a stale handle, returns 0 at once.
// Retrieval order: sent messages (served inside), posted messages, WM_QUIT,
// input, WM_PAINT (parents before children), WM_TIMER.
#pragma once

#include "platform/user/UserTypes.h"

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// As SendMessage, but gives up after `timeoutMs` (on the injectable clock)
// when the owner does not answer; FALSE then, and `*result` is 0.
BOOL SendMessageTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                        LRESULT* result);
void PostQuitMessage(int exitCode);

// FALSE when WM_QUIT was retrieved, TRUE otherwise; waits for a message.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits until a message may be there (returns at once when one is).
BOOL WaitMessage();
LRESULT DispatchMessage(const MSG* msg);
// Adds WM_CHAR (WM_SYSCHAR) for a key that produces a character.
BOOL TranslateMessage(const MSG* msg);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// TRUE while the calling thread handles a message sent by another thread.
BOOL InSendMessage();
// Inside the handler of a message sent by another thread: the sender gets
// `result` now and goes on while the handler still runs (a box it shows, say).
// FALSE, and nothing happens, when the message being handled was not sent by
// another thread or has been replied to already.
BOOL ReplyMessage(LRESULT result);
DWORD GetMessageTime();
// Screen position of the cursor when the last retrieved message was made.
DWORD GetMessagePos();
