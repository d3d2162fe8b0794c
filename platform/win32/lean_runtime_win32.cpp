// Size trims of the C++ runtime for a GUI program without a console.
//
// The default terminate handler prints the demangled name of an uncaught exception,
// which links the whole demangler (about 45 KB). The library's throw helpers (one
// object for all of them) link every standard exception class with its strings of
// the older ABI (about 30 KB more). The setup program never catches these: a string
// too long or an allocation that fails ends the process either way. Ours end it at
// once with abort(), as an uncaught exception would.
#include <bits/functexcept.h>

#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_exception() { std::abort(); }
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_cast() { std::abort(); }
void __throw_bad_typeid() { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_domain_error(const char*) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_runtime_error(const char*) { std::abort(); }
void __throw_range_error(const char*) { std::abort(); }
void __throw_overflow_error(const char*) { std::abort(); }
void __throw_underflow_error(const char*) { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
}  // namespace std
