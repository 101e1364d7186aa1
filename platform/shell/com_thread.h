#pragma once
namespace trovex::os_shell {

// CoInitialize for the calling thread; true when it must be balanced by
// UninitializeComForThread (also when COM was already initialised).
bool InitializeComForThread();
void UninitializeComForThread();

// COM for the duration of one shell operation; nests with the caller's own.
class ComScope {
 public:
  ComScope() : initialised_(InitializeComForThread()) {}
  ~ComScope() {
    if (initialised_) UninitializeComForThread();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

}  // namespace trovex::os_shell
