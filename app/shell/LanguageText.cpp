#include "app/shell/LanguageText.h"

#include <memory>
#include <mutex>
#include <vector>

namespace {

// Every value ever published, kept until exit so readers' pointers stay
// valid. Guarded by its mutex; only writers take it.
struct ValueStore {
    std::mutex lock;
    std::vector<std::unique_ptr<const CString>> values;

    const CString* Keep(const CString& text) {
        std::lock_guard<std::mutex> hold(lock);
        values.push_back(std::make_unique<const CString>(text));
        return values.back().get();
    }
};

ValueStore& Store() {
    static ValueStore* store = new ValueStore;  // outlives every static reader
    return *store;
}

const CString* EmptyValue() {
    static const CString* empty = new CString;
    return empty;
}

}  // namespace

LanguageText::LanguageText() : value_(EmptyValue()) {}

void LanguageText::Set(const CString& text) {
    value_.store(Store().Keep(text), std::memory_order_release);
}
