// Keeps the GUI library non-empty until the first window exists.
namespace trovex::ui { void LinkPlaceholder() {} }
