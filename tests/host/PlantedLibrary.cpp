// A library that is nobody's: planted under a system library's name, it must
// never be the one the saver loads.

extern "C" __declspec(dllexport) int planted = 1;
