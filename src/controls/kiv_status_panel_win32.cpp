// The status bar's panels and their collection: properties, the hosted
// control, copying, and what each change asks of the bar.
#include <algorithm>

#include "controls/kiv_status_bar_win32.hpp"
#include "framework/class_builder.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivStatusPanel, c) {
  c.WideString("Text", &TKivStatusPanel::Text, &TKivStatusPanel::SetText);
  c.Integer("Width", &TKivStatusPanel::Width, &TKivStatusPanel::SetWidth).NoDefault();
  c.Integer("MaxWidth", &TKivStatusPanel::MaxWidth, &TKivStatusPanel::SetMaxWidth).Default(10000);
  c.Integer("ViewPriority", &TKivStatusPanel::ViewPriority, &TKivStatusPanel::SetViewPriority)
      .Default(100);
  c.Integer("StretchPriority", &TKivStatusPanel::StretchPriority,
            &TKivStatusPanel::SetStretchPriority)
      .Default(0);
  c.Enum("Alignment", &TKivStatusPanel::Alignment, &TKivStatusPanel::SetAlignment, kAlignmentNames)
      .Default(taLeftJustify);
  c.Enum("Layout", &TKivStatusPanel::Layout, &TKivStatusPanel::SetLayout,
         kKivStatusGliphLayoutNames)
      .Default(sglGlyphLeft);
  c.Integer("ImageIndex", &TKivStatusPanel::ImageIndex, &TKivStatusPanel::SetImageIndex)
      .NoDefault();
  c.Boolean("ShowImage", &TKivStatusPanel::ShowImage, &TKivStatusPanel::SetShowImage).Default(true);
  c.Integer("Margin", &TKivStatusPanel::Margin, &TKivStatusPanel::SetMargin).Default(2);
  c.Integer("Spacing", &TKivStatusPanel::Spacing, &TKivStatusPanel::SetSpacing).Default(4);
  c.Enum("Style", &TKivStatusPanel::Style, &TKivStatusPanel::SetStyle, kKivStatusPanelstyleNames)
      .Default(psText);
  c.Boolean("Framed", &TKivStatusPanel::Framed, &TKivStatusPanel::SetFramed).Default(true);
  c.Component("Control", &TKivStatusPanel::Control, &TKivStatusPanel::SetControl);
}

KIV_IMPLEMENT_CLASS(TKivStatusPanels, c) {}

// The collection hears of the item before this constructor has run; the
// bar lays the panels out once the item is whole.
TKivStatusPanel::TKivStatusPanel(TCollection* collection) : TCollectionItem(collection) {
  if (auto* panels = dynamic_cast<TKivStatusPanels*>(collection)) {
    panels->constructing_ = nullptr;
    Report(true);
  }
}

TKivStatusPanel::~TKivStatusPanel() = default;

TKivStatusBar* TKivStatusPanel::StatusBar() const {
  auto* panels = dynamic_cast<TKivStatusPanels*>(Collection());
  return panels ? panels->StatusBar() : nullptr;
}

void TKivStatusPanel::Report(bool layout) {
  TCollection* panels = Collection();
  if (!panels || panels->UpdateCount() > 0) return;
  if (TKivStatusBar* bar = StatusBar()) bar->PanelChanged(layout);
}

void TKivStatusPanel::SetText(const std::u16string& value) {
  if (value == text_) return;
  text_ = value;
  Report(false);
}

void TKivStatusPanel::SetWidth(int value) {
  value = std::clamp(value, 0, std::max(sizing_.MaxWidth, 0));
  if (value == sizing_.Width) return;
  sizing_.Width = value;
  Report(true);
}

void TKivStatusPanel::SetMaxWidth(int value) {
  if (value == sizing_.MaxWidth) return;
  sizing_.MaxWidth = value;
  if (sizing_.Width > value) sizing_.Width = std::max(value, 0);
  Report(true);
}

void TKivStatusPanel::SetViewPriority(int value) {
  value = std::clamp(value, 0, 100);
  if (value == sizing_.ViewPriority) return;
  sizing_.ViewPriority = value;
  Report(true);
}

void TKivStatusPanel::SetStretchPriority(int value) {
  value = std::clamp(value, 0, 100);
  if (value == sizing_.StretchPriority) return;
  sizing_.StretchPriority = value;
  Report(true);
}

void TKivStatusPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Report(false);
}

void TKivStatusPanel::SetLayout(TKivStatusGliphLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Report(false);
}

void TKivStatusPanel::SetImageIndex(int value) {
  if (value == image_index_) return;
  image_index_ = value;
  Report(false);
}

void TKivStatusPanel::SetShowImage(bool value) {
  if (value == show_image_) return;
  show_image_ = value;
  Report(false);
}

void TKivStatusPanel::SetMargin(int value) {
  if (value == margin_) return;
  margin_ = value;
  Report(false);
}

void TKivStatusPanel::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Report(false);
}

void TKivStatusPanel::SetStyle(TKivStatusPanelstyle value) {
  if (value == style_) return;
  style_ = value;
  Report(false);
}

// The hosted control's inset follows the frame: laid out again.
void TKivStatusPanel::SetFramed(bool value) {
  if (value == framed_) return;
  framed_ = value;
  Report(true);
}

void TKivStatusPanel::SetControl(TControl* value) {
  if (value == control_) return;
  TKivStatusBar* bar = StatusBar();
  if (value && bar) {
    for (TControl* c = bar; c; c = c->Parent())
      if (c == value) throw EInvalidOperation("Can't insert own parent");
    if (TKivStatusPanel* other = bar->HostOf(value)) {
      other->control_ = nullptr;
      other->Report(false);
    }
  }
  TControl* previous = control_;
  control_ = value;
  if (bar) {
    if (value) {
      value->FreeNotification(bar);
      // The control lies over the panel, in the bar's coordinates.
      if (value->Parent() != bar && !bar->ComponentState().Contains(csLoading)) {
        bar->hosting_ = true;
        try {
          value->SetParent(bar);
        } catch (...) {
          bar->hosting_ = false;
          throw;
        }
        bar->hosting_ = false;
      }
    }
    if (previous && previous->Parent() && !bar->ComponentState().Contains(csLoading))
      previous->Parent()->Realign();
  }
  Report(true);
}

std::string TKivStatusPanel::DisplayName() const {
  if (!text_.empty()) {
    return ToNarrow(std::wstring(text_.begin(), text_.end()));
  }
  if (control_) return "[ " + control_->Name() + " ]";
  return TCollectionItem::DisplayName();
}

void TKivStatusPanel::Assign(const TPersistent* source) {
  const auto* from = dynamic_cast<const TKivStatusPanel*>(source);
  if (!from) {
    TCollectionItem::Assign(source);
    return;
  }
  if (from == this) return;
  TCollection* panels = Collection();
  if (panels) panels->BeginUpdate();
  try {
    text_ = from->text_;
    sizing_ = from->sizing_;
    alignment_ = from->alignment_;
    layout_ = from->layout_;
    image_index_ = from->image_index_;
    show_image_ = from->show_image_;
    margin_ = from->margin_;
    spacing_ = from->spacing_;
    style_ = from->style_;
    framed_ = from->framed_;
    // The control of the same name among this bar's owner's components.
    TControl* control = nullptr;
    if (from->control_ && !from->control_->Name().empty())
      if (TKivStatusBar* bar = StatusBar())
        if (TComponent* owner = bar->Owner())
          control = dynamic_cast<TControl*>(owner->FindComponent(from->control_->Name()));
    SetControl(control);
  } catch (...) {
    if (panels) panels->EndUpdate();
    throw;
  }
  if (panels) panels->EndUpdate();
}

// ---- the collection ----

TKivStatusPanels::TKivStatusPanels(TKivStatusBar* bar)
    : TCollection(TKivStatusPanel::StaticClass(), bar), bar_(bar) {}

TKivStatusPanel* TKivStatusPanels::Add() {
  return bar_ ? bar_->CreatePanel() : static_cast<TKivStatusPanel*>(TCollection::Add());
}

TKivStatusPanel* TKivStatusPanels::Items(int index) const {
  return static_cast<TKivStatusPanel*>(TCollection::Items(index));
}

void TKivStatusPanels::Update(TCollectionItem*) {
  if (bar_ && !constructing_) bar_->PanelChanged(true);
}

void TKivStatusPanels::Notify(TCollectionItem* item, TCollectionNotification action) {
  if (action == cnAdded) {
    constructing_ = item;
    return;
  }
  if (item == constructing_) constructing_ = nullptr;  // its constructor failed
  if (bar_) bar_->PanelRemoved(static_cast<TKivStatusPanel*>(item));
}

}  // namespace kiv
