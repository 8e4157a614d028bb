// The program that owns a shared precompiled header: test programs reuse the
// header it makes, which must be built with a program's compile flags.
int main() {
    return 0;
}
