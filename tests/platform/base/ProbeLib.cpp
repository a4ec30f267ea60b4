// A library the module tests load by its Windows-style name.
extern "C" __attribute__((visibility("default"))) int ProbeAnswer() {
    return 4711;
}
