#include "platform/user/Window.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/BackingStore.h"
#include "platform/user/DialogState.h"

Window::Window() = default;

Window::~Window() {
    if (region != nullptr)
        DeleteObject(region);
    if (update != nullptr)
        DeleteObject(update);
}
