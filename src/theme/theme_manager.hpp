#pragma once
// The theme manager: the registered theme classes and the loader that picks
// one for a stream, the process-wide current theme, the objects that want
// theme notifications, the lookups a control makes before it paints, and the
// fonts controls save before a theme's fonts replace their own.
//
// A control asks ThemeSupportsButton(kind, object, link): through its link's
// theme the object name must be known as it stands; through the current theme
// "default" stands in for an unknown name. With no theme every lookup is false.
//
// Notifications are one message, KIV_THEME_MESSAGE, whose word parameter is a
// code (kThemeCodeApply ... kThemeCodeSystemChanged). Framework controls
// receive it through Perform (with kThemeCodeSystemChanged only while
// visible); other objects through TkivThemeClient::Dispatch. On Win32 a
// hidden top-level pop-up window turns the platform's colour, display and
// visual-style changes into kThemeCodeSystemChanged.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes.hpp"
#include "framework/font.hpp"
#include "framework/messages.hpp"
#include "theme/kiv_theme.hpp"

namespace kiv {

class TStream;

// The codes of KIV_THEME_MESSAGE (word parameter; the long parameter is 0).
inline constexpr uintptr_t kThemeCodeApply = 0;          // apply the current theme again
inline constexpr uintptr_t kThemeCodeApplied = 3;        // a theme now applies
inline constexpr uintptr_t kThemeCodeRemoved = 4;        // the theme no longer applies
inline constexpr uintptr_t kThemeCodeSystemChanged = 5;  // platform colours/display/styles changed

// A notification receiver that is not a framework control: it handles the
// theme messages in its own dispatch. Register it as the TObject it also is.
class TkivThemeClient {
 public:
  virtual ~TkivThemeClient() = default;
  virtual void Dispatch(TMessage& message) = 0;
};

// Lets a control use a theme other than the current one. KIV_THEMELINK_MESSAGE
// carries the link (long parameter) whose theme changed.
class TkivCustomThemeLink : public TComponent {
  KIV_CLASS(TkivCustomThemeLink, TComponent)
 public:
  explicit TkivCustomThemeLink(TComponent* owner) : TComponent(owner) {}
  // The linked theme, or none (then the link counts as no link).
  virtual TkivTheme* GetTheme() = 0;
};

// A registered theme class: its class information, its virtual constructor
// and the class-level question whether it can read a stream. A class answers
// with its static ClassCanLoadFromStream(stream) when it has one, otherwise a
// fresh instance answers through its CanLoadFromStream.
struct TkivThemeClass {
  const TClassInfo* Class = nullptr;
  TkivTheme* (*Create)() = nullptr;
  bool (*CanLoadFromStream)(TStream& stream) = nullptr;

  template <class T>
  static TkivThemeClass Of() {
    TkivThemeClass c;
    c.Class = &T::StaticClass();
    c.Create = []() -> TkivTheme* { return new T(); };
    if constexpr (requires(TStream & s) {
                    { T::ClassCanLoadFromStream(s) } -> std::convertible_to<bool>;
                  })
      c.CanLoadFromStream = [](TStream& s) -> bool { return T::ClassCanLoadFromStream(s); };
    else
      c.CanLoadFromStream = [](TStream& s) -> bool { return T().CanLoadFromStream(s); };
    return c;
  }
};

// The support query of one element family (TkivTheme::SupportsButton, ...).
using TkivThemeSupportsQuery = bool (TkivTheme::*)(uint8_t kind, const std::string& object);

class TkivThemeManager : public TComponent {
  KIV_CLASS(TkivThemeManager, TComponent)
 public:
  // Made with no owner: the class list, the hidden window (Win32 only) and
  // the client list. The built-in theme class is registered by whoever
  // starts the theme unit (ThemeManager()), not here.
  explicit TkivThemeManager(TComponent* owner = nullptr);
  // Frees the client list (not the clients), the current theme, the hidden
  // window and the class list.
  ~TkivThemeManager() override;

  // Appends the class; no duplicate check.
  void RegisterThemeClass(const TkivThemeClass& theme_class);
  const std::vector<TkivThemeClass>& ThemeClasses() const { return theme_classes_; }

  // Appends the object once; when a theme is current it at once receives
  // kThemeCodeApplied. A second registration does nothing.
  void AddClient(TObject* client);
  void RemoveClient(TObject* client);
  const std::vector<TObject*>& Clients() const { return clients_; }

  // The first registered class that claims the stream reads it (the position
  // is restored after each question). None when no class claims it or the
  // chosen one fails; the caller owns the result. Exceptions pass through.
  std::unique_ptr<TkivTheme> LoadTheme(TStream& stream);
  // Writes the theme when it can save; nothing otherwise.
  void SaveTheme(TkivTheme* theme, TStream& stream);

  TkivTheme* CurrentTheme() const { return current_theme_.get(); }
  bool IsCurrentTheme(const TkivTheme* theme) const;
  // Makes the theme current and owns it; none removes it. The clients hear
  // kThemeCodeRemoved while the old theme is still current, then, once the
  // new one is in place, kThemeCodeApplied. The same theme again does nothing.
  void SetCurrentTheme(std::unique_ptr<TkivTheme> theme);

  // Sends (message, code, long parameter) to every client registered when the
  // visit starts and still registered when its turn comes, in list order.
  // Clients may register and unregister (themselves or others) meanwhile.
  void NotifyClients(uint32_t message, uintptr_t code, intptr_t lparam);

  // The hidden window's handler: colour, display and visual-style changes
  // become kThemeCodeSystemChanged (visual styles re-read first). Returns
  // true for the messages it acts on; the window procedure hands every
  // message on to the platform's default procedure in any case.
  bool ThemeWindowProc(uint32_t message);
  // The hidden window (HWND on Win32), none natively.
  void* NotifyWindow() const { return notify_window_; }

 private:
  std::vector<TkivThemeClass> theme_classes_;
  std::vector<TObject*> clients_;
  std::unique_ptr<TkivTheme> current_theme_;
  void* notify_window_ = nullptr;
};

// Sends one theme message to one client: framework controls through Perform
// (with kThemeCodeSystemChanged only when visible), other objects through
// TkivThemeClient::Dispatch. Returns the message's result.
intptr_t SendThemeMessage(TObject* client, uint32_t message, uintptr_t code, intptr_t lparam);

// ---- the theme unit's process-wide state ----

// The one manager, made on first use with the built-in theme class
// registered; FreeThemeManager ends it alone, ShutdownThemeUnit
// (theme/theme_unit.hpp) with the rest of the unit.
TkivThemeManager& ThemeManager();
void FreeThemeManager();
TkivTheme* CurrentTheme();
// The current theme for programs (and tests) that set one; see
// TkivThemeManager::SetCurrentTheme.
void SetCurrentTheme(std::unique_ptr<TkivTheme> theme);

void RegisterThemeClass(const TkivThemeClass& theme_class);
template <class T>
void RegisterThemeClass() {
  RegisterThemeClass(TkivThemeClass::Of<T>());
}
void AddThemeClient(TObject* client);
void RemoveThemeClient(TObject* client);
bool IsCurrentTheme(const TkivTheme* theme);
std::unique_ptr<TkivTheme> LoadThemeFromStream(TStream& stream);
void SaveThemeToStream(TkivTheme* theme, TStream& stream);

// The link's theme when there is one, else the current theme.
TkivTheme* ThemeOf(TkivCustomThemeLink* link);

// The lookup rule with the given family query.
bool ThemeSupports(TkivThemeSupportsQuery query, uint8_t kind, const std::string& object,
                   TkivCustomThemeLink* link);
bool ThemeSupportsWindow(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsButton(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsCheck(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsScrollBar(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsStatusBar(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsEdit(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsMemo(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsMenu(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsToolBar(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsPanel(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);
bool ThemeSupportsTabs(uint8_t kind, const std::string& object, TkivCustomThemeLink* link);

// Around a control's writing of its state at design time: kThemeCodeRemoved
// before, kThemeCodeApplied after; only in design mode with a theme current.
void SuspendThemeForWrite(TComponent* control);
void ResumeThemeAfterWrite(TComponent* control);

// The saved-font registry. Save stores (or refreshes) a copy of the font's
// values; Restore gives the font its saved values (nothing if never saved);
// Forget drops the copy. FreeSavedFonts drops them all (as the unit's
// shutdown does).
void SaveControlFont(TFont* font);
void RestoreControlFont(TFont* font);
void ForgetControlFont(TFont* font);
void FreeSavedFonts();

// The platform side of the manager (theme_manager_win32.cpp; portable twin
// in theme_manager_posix.cpp).
namespace theme_platform {
// The hidden window that forwards appearance changes to the manager.
void* CreateNotifyWindow(TkivThemeManager& manager);
void DestroyNotifyWindow(void* window);
// Delivers the message when client is a framework control (skipping an
// invisible one for kThemeCodeSystemChanged) and returns true; false when
// client is no framework control.
bool PerformOnControl(TObject* client, TMessage& message);
// Re-reads whether the platform's visual styles are active.
void UpdateVisualStyles();
}  // namespace theme_platform

}  // namespace kiv
