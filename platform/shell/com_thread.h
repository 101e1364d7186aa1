#pragma once
namespace trovex::shell {

// CoInitialize for the calling thread; true when it must be balanced by
// UninitializeComForThread (also when COM was already initialised).
bool InitializeComForThread();
void UninitializeComForThread();

}  // namespace trovex::shell
