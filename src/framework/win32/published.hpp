#pragma once
// Registers the Win32 framework's control classes with the class registry so
// that form definitions can name them (TButton, TPanel, TImage, TRichEdit,
// TTimer, ...). Safe to call more than once.
namespace kiv {
void RegisterFrameworkClasses();
}  // namespace kiv
