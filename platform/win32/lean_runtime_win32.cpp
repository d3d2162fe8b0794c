// The C++ runtime's default terminate handler prints the demangled name of an
// uncaught exception, which links the whole demangler (about 45 KB) into a GUI
// program that has no console to print to. Ours ends the process the same way,
// without the text.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
