// Core code builds on every platform: only platform/ talks to Windows.
#error "core code outside platform/ must not include <windef.h>"
