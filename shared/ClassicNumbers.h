// Numbers read and written the classic way ('.' as the decimal point) for the
// span of one library call, whatever locale the host process chose: a library
// shares its process with a host (a GUI toolkit sets the whole locale from the
// environment at start-up), and a decimal comma would cut "31.2504" short in
// atof and print "52,516666" where files, burnt-in texts and pages want
// "52.516666".
#pragma once

#include <locale.h>
#include <clocale>

// Sets the calling thread's locale to the one in force with its numeric part
// replaced by "C"; the destructor gives the thread back its previous locale.
// Other threads are never touched.
class ClassicNumberScope {
public:
    ClassicNumberScope();
    ~ClassicNumberScope();
    ClassicNumberScope(const ClassicNumberScope&) = delete;
    ClassicNumberScope& operator=(const ClassicNumberScope&) = delete;

private:
    locale_t classic_ = nullptr;
    locale_t previous_ = nullptr;
};
