#include "theme/theme_manager.hpp"

#include <algorithm>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "theme/theme_unit.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TkivCustomThemeLink, c) {}
KIV_IMPLEMENT_CLASS(TkivThemeManager, c) {}

namespace {

// The platform messages the hidden window acts on.
constexpr uint32_t kSysColorChange = 0x0015;  // WM_SYSCOLORCHANGE
constexpr uint32_t kDisplayChange = 0x007E;   // WM_DISPLAYCHANGE
constexpr uint32_t kThemeChanged = 0x031A;    // WM_THEMECHANGED

bool Contains(const std::vector<TObject*>& list, const TObject* object) {
  return std::find(list.begin(), list.end(), object) != list.end();
}

}  // namespace

intptr_t SendThemeMessage(TObject* client, uint32_t message, uintptr_t code, intptr_t lparam) {
  TMessage m;
  m.Msg = message;
  m.WParam = code;
  m.LParam = lparam;
  if (!theme_platform::PerformOnControl(client, m)) {
    if (auto* receiver = dynamic_cast<TkivThemeClient*>(client)) receiver->Dispatch(m);
  }
  return m.Result;
}

// ---- the manager ----

TkivThemeManager::TkivThemeManager(TComponent* owner) : TComponent(owner) {
  notify_window_ = theme_platform::CreateNotifyWindow(*this);
}

TkivThemeManager::~TkivThemeManager() {
  clients_.clear();
  current_theme_.reset();
  theme_platform::DestroyNotifyWindow(notify_window_);
  notify_window_ = nullptr;
  theme_classes_.clear();
}

void TkivThemeManager::RegisterThemeClass(const TkivThemeClass& theme_class) {
  theme_classes_.push_back(theme_class);
}

void TkivThemeManager::AddClient(TObject* client) {
  if (client == nullptr || Contains(clients_, client)) return;
  clients_.push_back(client);
  if (current_theme_) SendThemeMessage(client, KIV_THEME_MESSAGE, kThemeCodeApplied, 0);
}

void TkivThemeManager::RemoveClient(TObject* client) {
  auto it = std::find(clients_.begin(), clients_.end(), client);
  if (it != clients_.end()) clients_.erase(it);
}

std::unique_ptr<TkivTheme> TkivThemeManager::LoadTheme(TStream& stream) {
  const int64_t start = stream.Position();
  const TkivThemeClass* chosen = nullptr;
  for (const TkivThemeClass& c : theme_classes_) {
    const bool claims = c.CanLoadFromStream(stream);
    stream.SetPosition(start);
    if (claims) {
      chosen = &c;
      break;
    }
  }
  if (chosen == nullptr) return nullptr;
  std::unique_ptr<TkivTheme> theme(chosen->Create());
  if (!theme->LoadFromStream(stream)) return nullptr;
  return theme;
}

void TkivThemeManager::SaveTheme(TkivTheme* theme, TStream& stream) {
  if (theme == nullptr) return;
  if (theme->GetConfig().CanSave) theme->SaveToStream(stream);
}

bool TkivThemeManager::IsCurrentTheme(const TkivTheme* theme) const {
  return current_theme_ != nullptr && current_theme_.get() == theme;
}

void TkivThemeManager::SetCurrentTheme(std::unique_ptr<TkivTheme> theme) {
  if (theme != nullptr && theme.get() == current_theme_.get()) {
    // Already ours: keep the one owner.
    static_cast<void>(theme.release());
    return;
  }
  if (current_theme_) {
    NotifyClients(KIV_THEME_MESSAGE, kThemeCodeRemoved, 0);
    current_theme_.reset();
  }
  current_theme_ = std::move(theme);
  if (current_theme_) NotifyClients(KIV_THEME_MESSAGE, kThemeCodeApplied, 0);
}

void TkivThemeManager::NotifyClients(uint32_t message, uintptr_t code, intptr_t lparam) {
  // The clients of the moment the visit starts; one that has left the list
  // by its turn (a client unregistering itself or another) is not called.
  const std::vector<TObject*> visit = clients_;
  for (TObject* client : visit) {
    if (!Contains(clients_, client)) continue;
    SendThemeMessage(client, message, code, lparam);
  }
}

bool TkivThemeManager::ThemeWindowProc(uint32_t message) {
  switch (message) {
    case kSysColorChange:
    case kDisplayChange:
      NotifyClients(KIV_THEME_MESSAGE, kThemeCodeSystemChanged, 0);
      return true;
    case kThemeChanged:
      // Controls repainting on the notification read the new flag.
      theme_platform::UpdateVisualStyles();
      NotifyClients(KIV_THEME_MESSAGE, kThemeCodeSystemChanged, 0);
      return true;
    default:
      return false;
  }
}

// ---- the theme unit ----

namespace {

std::unique_ptr<TkivThemeManager>& ManagerStorage() {
  return theme_unit::State().Manager;
}

using theme_unit::TSavedFont;

std::vector<TSavedFont>& SavedFonts() {
  return theme_unit::State().SavedFonts;
}

std::vector<TSavedFont>::iterator FindSavedFont(const TFont* font) {
  auto& fonts = SavedFonts();
  return std::find_if(fonts.begin(), fonts.end(),
                      [font](const TSavedFont& s) { return s.Font == font; });
}

// A new font of the same class as font (a framework font when the class has
// no plain constructor).
std::unique_ptr<TFont> NewFontLike(const TFont& font) {
  const TClassInfo& cls = font.ClassType();
  if (cls.IsComponentClass()) return std::make_unique<TFont>();
  std::unique_ptr<TPersistent> made;
  try {
    made.reset(cls.CreateInstance());
  } catch (const Exception&) {
    return std::make_unique<TFont>();
  }
  if (auto* copy = dynamic_cast<TFont*>(made.get())) {
    static_cast<void>(made.release());
    return std::unique_ptr<TFont>(copy);
  }
  return std::make_unique<TFont>();
}

}  // namespace

TkivThemeManager& ThemeManager() {
  auto& manager = ManagerStorage();
  if (!manager) {
    manager = std::make_unique<TkivThemeManager>(nullptr);
    manager->RegisterThemeClass(TkivThemeClass::Of<TkivTheme>());
  }
  return *manager;
}

void FreeThemeManager() {
  ManagerStorage().reset();
}

TkivTheme* CurrentTheme() {
  const auto& manager = ManagerStorage();
  return manager ? manager->CurrentTheme() : nullptr;
}

void SetCurrentTheme(std::unique_ptr<TkivTheme> theme) {
  ThemeManager().SetCurrentTheme(std::move(theme));
}

void RegisterThemeClass(const TkivThemeClass& theme_class) {
  ThemeManager().RegisterThemeClass(theme_class);
}

void AddThemeClient(TObject* client) {
  ThemeManager().AddClient(client);
}

void RemoveThemeClient(TObject* client) {
  // A client going after the unit has stopped finds no manager to leave.
  if (auto& manager = ManagerStorage()) manager->RemoveClient(client);
}

bool IsCurrentTheme(const TkivTheme* theme) {
  const auto& manager = ManagerStorage();
  return manager && manager->IsCurrentTheme(theme);
}

std::unique_ptr<TkivTheme> LoadThemeFromStream(TStream& stream) {
  return ThemeManager().LoadTheme(stream);
}

void SaveThemeToStream(TkivTheme* theme, TStream& stream) {
  ThemeManager().SaveTheme(theme, stream);
}

TkivTheme* ThemeOf(TkivCustomThemeLink* link) {
  if (link != nullptr) {
    if (TkivTheme* theme = link->GetTheme()) return theme;
  }
  return CurrentTheme();
}

bool ThemeSupports(TkivThemeSupportsQuery query, uint8_t kind, const std::string& object,
                   TkivCustomThemeLink* link) {
  if (link != nullptr) {
    // A linked theme answers for the name as it stands: no "default".
    if (TkivTheme* theme = link->GetTheme()) return (theme->*query)(kind, object);
  }
  TkivTheme* theme = CurrentTheme();
  if (theme == nullptr) return false;
  return (theme->*query)(kind, object) || (theme->*query)(kind, "default");
}

#define KIV_THEME_SUPPORTS_HELPER(Family)                                                          \
  bool ThemeSupports##Family(uint8_t kind, const std::string& object, TkivCustomThemeLink* link) { \
    return ThemeSupports(&TkivTheme::Supports##Family, kind, object, link);                        \
  }
KIV_THEME_SUPPORTS_HELPER(Window)
KIV_THEME_SUPPORTS_HELPER(Button)
KIV_THEME_SUPPORTS_HELPER(Check)
KIV_THEME_SUPPORTS_HELPER(ScrollBar)
KIV_THEME_SUPPORTS_HELPER(StatusBar)
KIV_THEME_SUPPORTS_HELPER(Edit)
KIV_THEME_SUPPORTS_HELPER(Memo)
KIV_THEME_SUPPORTS_HELPER(Menu)
KIV_THEME_SUPPORTS_HELPER(ToolBar)
KIV_THEME_SUPPORTS_HELPER(Panel)
KIV_THEME_SUPPORTS_HELPER(Tabs)
#undef KIV_THEME_SUPPORTS_HELPER

void SuspendThemeForWrite(TComponent* control) {
  if (control != nullptr && control->ComponentState().Contains(csDesigning) &&
      CurrentTheme() != nullptr)
    SendThemeMessage(control, KIV_THEME_MESSAGE, kThemeCodeRemoved, 0);
}

void ResumeThemeAfterWrite(TComponent* control) {
  if (control != nullptr && control->ComponentState().Contains(csDesigning) &&
      CurrentTheme() != nullptr)
    SendThemeMessage(control, KIV_THEME_MESSAGE, kThemeCodeApplied, 0);
}

void SaveControlFont(TFont* font) {
  if (font == nullptr) return;
  auto it = FindSavedFont(font);
  if (it != SavedFonts().end()) {
    it->Copy->Assign(font);
    return;
  }
  std::unique_ptr<TFont> copy = NewFontLike(*font);
  copy->Assign(font);
  SavedFonts().push_back({font, std::move(copy)});
}

void RestoreControlFont(TFont* font) {
  auto it = FindSavedFont(font);
  if (it != SavedFonts().end()) font->Assign(it->Copy.get());
}

void ForgetControlFont(TFont* font) {
  auto it = FindSavedFont(font);
  if (it != SavedFonts().end()) SavedFonts().erase(it);
}

void FreeSavedFonts() {
  SavedFonts().clear();
}

}  // namespace kiv
