// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/main_lex.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTextLayout>

#include "app/commands.h"
#include "app/desktop_commands.h"
#include "app/entry_presenter.h"
#include "app/guard.h"
#include "app/history_commands.h"
#include "app/lookup_presenter.h"
#include "app/ui/artwork.h"
#include "app/ui/speak_button.h"
#include "app/window_commands.h"
#include "custom/ui/qt_custom_dialogs.h"
#include "desktop/speak_entry.h"
#include "desktop/ui/copyright_form.h"
#include "desktop/ui/help_form.h"
#include "desktop/ui/printing.h"
#include "platform/file_system.h"
#include "platform/linux/clipboard_qt.h"
#include "platform/linux/posix_file_system.h"
#include "platform/linux/qt_text.h"
#include "platform/speech.h"
#include "search/ui/search_forms.h"

namespace zelvoran {

TMainLex* MainLex = nullptr;

namespace {

const QColor kWindowColor(127, 150, 228);
const QColor kTeal(0, 128, 128);
const QColor kMaroon(128, 0, 0);
const QColor kNavy(0, 0, 128);

const char* const kTitle = "Zelvoran Glossa";

// The least size of a pop-up menu, so that one without items still shows.
constexpr int kEmptyMenuSize = 8;

QFont Font(const char* family, int pixels, bool bold = false) {
  QFont f(QString::fromLatin1(family));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

void SetTextColor(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, c);
  p.setColor(QPalette::Text, c);
  w->setPalette(p);
}

// The labels designed in Tahoma: DejaVu Sans stands in, narrowed to Tahoma's width.
QFont TahomaFont() {
  QFont f = Font("Tahoma", 11);
  f.setStretch(88);
  return f;
}

const QColor kQuietGrey(88, 88, 88);

QFont PronunciationFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(11);
  return f;
}

Rect ToRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

void InstallFontSubstitutions() {
  for (const char* family : {"MS Sans Serif", "Tahoma"}) {
    QFont::insertSubstitutions(QString::fromLatin1(family),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
  }
}

TMainLex::TMainLex(Services services, ProgramState& state, QWidget* parent)
    : QWidget(parent), core_(services, state, *this) {
  MainLex = this;
  setWindowTitle(QString::fromLatin1(kTitle));
  setFont(Font("MS Sans Serif", 11));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kWindowColor);
  setPalette(pal);
  setAutoFillBackground(true);
  setMouseTracking(true);
  application_title_ = QString::fromLatin1(kTitle);
  // The dialogs and the printer belong to this window; each command opens its own form.
  search_dialogs_ = std::make_unique<QtSearchDialogs>(this);
  core_.search_dialogs = search_dialogs_.get();
  custom_dialogs_ = std::make_unique<QtCustomDialogs>(this, core_.svc.fs, core_.svc.folders,
                                                      core_.svc.info, core_.svc.messages);
  if (!core_.svc.custom_dialogs) core_.svc.custom_dialogs = custom_dialogs_.get();
  printing_ = std::make_unique<QtPrinting>(this);
  if (!core_.svc.printing) core_.svc.printing = printing_.get();
  about_factory_ =
      std::make_unique<CopyrightFormFactory>(core_.svc.fs, core_.svc.shell, core_.svc.messages);
  BuildControls();
  BuildToolbar();
  Wire();
  WireTextControls();
  JoinClipboardChain();
  NameControls();
  resize(kDesignClientWidth, kDesignClientHeight);
  setMinimumSize(kMinOuterWidth - kFrameWidth, kMinOuterHeight - kFrameHeight);
  Guarded([this] { FormCreate(core_); });
}

TMainLex::~TMainLex() {
  Guarded([this] { FormDestroy(core_); });
  Guarded([this] { QuickTranslation_FormDestroy(core_); });
  if (auto* clipboard = dynamic_cast<QtClipboard*>(core_.svc.clipboard)) {
    clipboard->Chain().DestroyWindow(core_.MainWindowHandle);
  }
  if (Speech* speech = core_.svc.speech) {
    speech->on_problem = nullptr;
    speech->Stop();
  }
  while (busy_depth_ > 0) SetBusy(false);
  if (MainLex == this) MainLex = nullptr;
}

void TMainLex::BuildControls() {
  const unsigned kLTR = kAnchorLeft | kAnchorTop | kAnchorRight;
  const unsigned kLTB = kAnchorLeft | kAnchorTop | kAnchorBottom;

  Main_Image = new PictureBox(this);
  Main_Image->SetPicture(art::Background());
  Main_Image->setAttribute(Qt::WA_TransparentForMouseEvents);
  Main_Image->setEnabled(false);
  anchors_.Add(Main_Image, {0, 46, 592, 292}, kAnchorAll);

  Line_Image = new PictureBox(this);
  Line_Image->setAttribute(Qt::WA_NoMousePropagation);
  anchors_.Add(Line_Image, {0, 44, 595, 2}, kLTR);

  auto* panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(2);
  panel->setAutoFillBackground(true);
  QPalette white = panel->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  panel->setPalette(white);
  panel->setMinimumWidth(211);
  panel->setAttribute(Qt::WA_NoMousePropagation);
  Panel2 = panel;
  anchors_.Add(Panel2, {2, 47, 211, 35}, 0);

  Entry_Text = new EntryEdit(this);
  Entry_Text->setFrame(false);
  Entry_Text->setFont(Font("MS Sans Serif", 16, true));
  Entry_Text->setPalette(white);
  SetTextColor(Entry_Text, kTeal);
  Entry_Text->setMinimumWidth(195);
  Entry_Text->setMouseTracking(true);
  // "Λήμμα προς Αναζήτηση"
  Entry_Text->setToolTip(
      ToQ("\xCB\xDE\xEC\xEC\xE1 \xF0\xF1\xEF\xF2 \xC1\xED\xE1\xE6\xDE\xF4\xE7\xF3\xE7"));
  anchors_.Add(Entry_Text, {10, 52, 195, 24}, 0);

  Entry_Label = new QLabel(QStringLiteral("."), this);
  Entry_Label->setTextFormat(Qt::PlainText);
  Entry_Label->setFont(Font("MS Sans Serif", 13, true));
  SetTextColor(Entry_Label, kMaroon);
  Entry_Label->setAttribute(Qt::WA_NoMousePropagation);
  Entry_Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  // DejaVu Sans has the IPA letters and marks; the installed fonts-dejavu-core provides it.
  Pronunciation_Label = new QLabel(this);
  Pronunciation_Label->setTextFormat(Qt::PlainText);
  Pronunciation_Label->setFont(PronunciationFont());
  SetTextColor(Pronunciation_Label, kQuietGrey);
  Pronunciation_Label->setAttribute(Qt::WA_NoMousePropagation);
  Pronunciation_Label->hide();

  Speak_Button = new SpeakButton(this);
  Speak_Button->setAccessibleName(ToQ(SpeakCaption()));
  Speak_Button->setToolTip(ToQ(SpeakCaption()) + QStringLiteral(" (F9)"));
  Speak_Button->hide();
  SpeakItem = new QAction(ToQ(SpeakCaption()), this);
  SpeakItem->setShortcut(QKeySequence(Qt::Key_F9));
  SpeakItem->setShortcutContext(Qt::WindowShortcut);
  SpeakItem->setEnabled(false);
  addAction(SpeakItem);
  DescriptionMenuExtras.push_back(SpeakItem);

  MiddleColor_Edit = new QLineEdit(this);
  MiddleColor_Edit->setFrame(false);
  MiddleColor_Edit->setEnabled(false);
  MiddleColor_Edit->setFocusPolicy(Qt::NoFocus);
  MiddleColor_Edit->setAttribute(Qt::WA_TransparentForMouseEvents);
  QPalette middle = MiddleColor_Edit->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    middle.setColor(group, QPalette::Base, kWindowColor);
    middle.setColor(group, QPalette::Window, kWindowColor);
  }
  MiddleColor_Edit->setPalette(middle);
  anchors_.Add(MiddleColor_Edit, {208, 88, 25, 228}, kLTB);

  Entries_List = new EntriesListView(core_.List, this);
  Entries_List->setFont(Font("MS Sans Serif", 15, true));
  anchors_.Add(Entries_List, {2, 88, 211, 228}, kLTB, [this](Rect r) {
    r.height = WholeRowsHeight(r.height, kListRowHeight, Entries_List->FrameWidth());
    return r;
  });

  Description_Text = new DescriptionEdit(this);
  Description_Text->setFont(Font("MS Sans Serif", 13));
  Description_Text->setAttribute(Qt::WA_NoMousePropagation);
  anchors_.Add(Description_Text, {216, 88, 373, 228}, kAnchorAll);

  CopyrightLabel = new QLabel(QStringLiteral("Copyright \u00A9"), this);
  CopyrightLabel->setFont(TahomaFont());
  SetTextColor(CopyrightLabel, kNavy);
  CopyrightLabel->setCursor(Qt::PointingHandCursor);
  // "Πληροφορίες Copyright"
  CopyrightLabel->setToolTip(ToQ("\xD0\xEB\xE7\xF1\xEF\xF6\xEF\xF1\xDF\xE5\xF2 Copyright"));
  CopyrightLabel->setAttribute(Qt::WA_NoMousePropagation);
  CopyrightLabel->adjustSize();
  anchors_.Add(CopyrightLabel, {4, 320, CopyrightLabel->width(), CopyrightLabel->height()},
               kAnchorLeft | kAnchorBottom);

  // "Παρουσίαση Εκδόσεων Quimbrell"
  const QString publisher_hint =
      ToQ("\xD0\xE1\xF1\xEF\xF5\xF3\xDF\xE1\xF3\xE7 \xC5\xEA\xE4\xFC\xF3\xE5\xF9\xED Quimbrell");
  QuimbrellImage = new PictureBox(this);
  QuimbrellImage->SetPicture(art::PublisherEmblem());
  QuimbrellImage->setCursor(Qt::PointingHandCursor);
  QuimbrellImage->setToolTip(publisher_hint);
  QuimbrellImage->setAttribute(Qt::WA_NoMousePropagation);
  anchors_.Add(QuimbrellImage, {452, 318, 21, 18}, kAnchorRight | kAnchorBottom);

  // "ΕΚΔΟΣΕΙΣ QUIMBRELL"
  Quimbrell_Label = new QLabel(ToQ("\xC5\xCA\xC4\xCF\xD3\xC5\xC9\xD3 QUIMBRELL"), this);
  Quimbrell_Label->setFont(TahomaFont());
  SetTextColor(Quimbrell_Label, kNavy);
  Quimbrell_Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Quimbrell_Label->setCursor(Qt::PointingHandCursor);
  Quimbrell_Label->setToolTip(publisher_hint);
  Quimbrell_Label->setAttribute(Qt::WA_NoMousePropagation);
  // Right-justified: a face wider than the designed one grows the label to the left.
  const int caption =
      QFontMetrics(Quimbrell_Label->font()).horizontalAdvance(Quimbrell_Label->text());
  const int extra = std::max(0, caption + 1 - 110);
  anchors_.Add(Quimbrell_Label, {477 - extra, 320, 110 + extra, 13}, kAnchorRight | kAnchorBottom);

  Clipboard_Edit = new QLineEdit(this);
  Clipboard_Edit->hide();

  Fill_List_Button = new QPushButton(this);
  Fill_List_Button->setGeometry(0, 0, 1, 1);
  Fill_List_Button->setFlat(true);
  Fill_List_Button->setFocusPolicy(Qt::TabFocus);

  PrevMenu = new QMenu(this);
  NextMenu = new QMenu(this);
  CustomEntriesMenu = new QMenu(this);
  // "Εμφάνιση Επεξεργασμένων Λημμάτων", "Εισαγωγή Νέου Λήμματος", "Τροποποίηση Λήμματος",
  // "Διαγραφή Λήμματος"
  CustomEntriesItem = CustomEntriesMenu->addAction(
      ToQ("\xC5\xEC\xF6\xDC\xED\xE9\xF3\xE7 \xC5\xF0\xE5\xEE\xE5\xF1\xE3\xE1\xF3\xEC\xDD\xED\xF9"
          "\xED \xCB\xE7\xEC\xEC\xDC\xF4\xF9\xED"));
  InsertEntryItem = CustomEntriesMenu->addAction(
      ToQ("\xC5\xE9\xF3\xE1\xE3\xF9\xE3\xDE \xCD\xDD\xEF\xF5 \xCB\xDE\xEC\xEC\xE1\xF4\xEF\xF2"));
  ModifyEntryItem = CustomEntriesMenu->addAction(
      ToQ("\xD4\xF1\xEF\xF0\xEF\xF0\xEF\xDF\xE7\xF3\xE7 \xCB\xDE\xEC\xEC\xE1\xF4\xEF\xF2"));
  DeleteEntryItem = CustomEntriesMenu->addAction(
      ToQ("\xC4\xE9\xE1\xE3\xF1\xE1\xF6\xDE \xCB\xDE\xEC\xEC\xE1\xF4\xEF\xF2"));
  ModifyEntryItem->setEnabled(false);
  DeleteEntryItem->setEnabled(false);

  GrImage = art::GreekDirection();
  EnImage = art::EnglishDirection();
  AutoTrImage = art::QuickTranslationOn();
  CancelAutoTrImage = art::QuickTranslationOff();
}

void TMainLex::BuildToolbar() {
  for (const ToolbarButtonInfo& info : ToolbarButtons()) {
    const QPixmap glyph = info.button == ToolbarButton::kLang ? EnImage
                          : info.button == ToolbarButton::kAutoTranslate
                              ? AutoTrImage
                              : art::ToolbarGlyph(info.button);
    auto* b = new GlyphButton(info, glyph, this);
    b->setToolTip(ToQ(info.hint));
    b->setGeometry(info.rest.left, info.rest.top, info.rest.width, info.rest.height);
    if (info.button == ToolbarButton::kPrevMenu || info.button == ToolbarButton::kNextMenu) {
      b->setFocusPolicy(Qt::NoFocus);
    }
    buttons_[static_cast<size_t>(info.button)] = b;
  }
  // As designed, Exit_Button stands one pixel up; the first show puts it at rest.
  Button(ToolbarButton::kExit)->move(545, 1);

  QWidget* previous = Entry_Text;
  for (QWidget* w :
       std::initializer_list<QWidget*>{Entries_List, Description_Text, Fill_List_Button}) {
    setTabOrder(previous, w);
    previous = w;
  }
  for (GlyphButton* b : buttons_) {
    if (b->focusPolicy() == Qt::NoFocus) continue;
    setTabOrder(previous, b);
    previous = b;
  }
}

void TMainLex::Wire() {
  MainCore& core = core_;
  connect(Entry_Text, &QLineEdit::textChanged, this,
          [&core] { Guarded([&] { Entry_TextChange(core); }); });
  Entry_Text->on_list_key = [&core](EntryKey k) {
    const ListKey key = k == EntryKey::kDown     ? ListKey::kDown
                        : k == EntryKey::kUp     ? ListKey::kUp
                        : k == EntryKey::kPageUp ? ListKey::kPageUp
                                                 : ListKey::kPageDown;
    Guarded([&] { Entry_TextKeyDown(core, key); });
  };
  Entry_Text->on_enter = [&core] { Guarded([&] { Entry_TextEnter(core); }); };
  Entry_Text->on_mouse_move = [&core] {
    Guarded([&] { HighlightToolbarButton(core, kHoverNone); });
  };
  connect(Fill_List_Button, &QPushButton::clicked, this,
          [&core] { Guarded([&] { Fill_List_ButtonClick(core); }); });

  Entries_List->on_click = [&core](int row) {
    Guarded([&] {
      core.List.Selected = row;
      Entries_ListClick(core);
    });
  };
  Entries_List->on_enter = [&core] { Guarded([&] { Entries_ListEnter(core); }); };
  Entries_List->on_mouse_move = [&core](QPoint p) {
    Guarded([&] { Entries_ListMouseMove(core, {p.x(), p.y()}); });
  };

  Description_Text->on_double_click = [&core](const QString& word) {
    Guarded([&] { Description_TextDblClick(core, FromQ(word)); });
  };
  Description_Text->on_enter = [&core] { Guarded([&] { Description_Text_Enter(core); }); };

  connect(Speak_Button, &QAbstractButton::clicked, SpeakItem, &QAction::trigger);
  connect(SpeakItem, &QAction::triggered, this,
          [&core] { Guarded([&] { Speak_ButtonClick(core); }); });
  if (core.svc.speech) {
    core.svc.speech->on_problem = [&core](SpeechProblem p) {
      Guarded([&] { ShowSpeechProblem(core, p); });
    };
  }

  for (GlyphButton* b : buttons_) {
    const ToolbarButton id = b->Info().button;
    connect(b, &QAbstractButton::clicked, this,
            [&core, id] { Guarded([&] { ToolbarButtonClick(core, id); }); });
    b->on_hover = [&core](int n) { Guarded([&] { HighlightToolbarButton(core, n); }); };
  }

  // NextMenu is also NextMenu_Button's context menu: a right-click opens it at the pointer.
  GlyphButton* next_arrow = Button(ToolbarButton::kNextMenu);
  next_arrow->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(next_arrow, &QWidget::customContextMenuRequested, this, [&core, next_arrow](QPoint p) {
    const QPoint at = next_arrow->mapToGlobal(p);
    Guarded([&] { NextMenuPopup(core, {at.x(), at.y()}); });
  });

  const std::pair<QKeySequence, ToolbarButton> shortcuts[] = {
      {QKeySequence(Qt::ALT | Qt::Key_Left), ToolbarButton::kPrev},
      {QKeySequence(Qt::ALT | Qt::Key_Right), ToolbarButton::kNext},
  };
  for (const auto& [keys, id] : shortcuts) {
    auto* s = new QShortcut(keys, this);
    const ToolbarButton command = id;
    connect(s, &QShortcut::activated, this,
            [&core, command] { Guarded([&] { ToolbarButtonClick(core, command); }); });
  }
}

void TMainLex::JoinClipboardChain() {
  MainCore& core = core_;
  // Ctrl+C, Ctrl+V and Ctrl+P do what the copy, paste and print buttons do, unless the focused
  // control has a better use for them (the entry box pastes at its cursor).
  const std::pair<QKeySequence, ShortcutKey> keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_C), ShortcutKey::kCopy},
      {QKeySequence(Qt::CTRL | Qt::Key_V), ShortcutKey::kPaste},
      {QKeySequence(Qt::CTRL | Qt::Key_P), ShortcutKey::kPrint},
  };
  for (const auto& [sequence, key] : keys) {
    auto* s = new QShortcut(sequence, this);
    s->setContext(Qt::WindowShortcut);
    const ShortcutKey k = key;
    connect(s, &QShortcut::activated, this, [this, &core, k] {
      const QWidget* f = focusWidget();
      const FocusedControl focus = f == Entry_Text         ? FocusedControl::kEntryText
                                   : f == Entries_List     ? FocusedControl::kEntriesList
                                   : f == Description_Text ? FocusedControl::kDescriptionText
                                                           : FocusedControl::kOther;
      bool handled = true;
      Guarded([&] { handled = ToolbarShortcut(core, k, focus); });
      if (!handled && k == ShortcutKey::kPaste && f == Entry_Text) PasteIntoEntryText();
    });
  }

  // The about window, the publisher's emblem and label.
  for (QWidget* w : {static_cast<QWidget*>(CopyrightLabel), static_cast<QWidget*>(QuimbrellImage),
                     static_cast<QWidget*>(Quimbrell_Label)}) {
    w->installEventFilter(this);
  }

  // Quick translation: the window is a viewer of the clipboard chain, and it minimises when
  // the program loses the foreground while the mode is on.
  if (auto* clipboard = dynamic_cast<QtClipboard*>(core.svc.clipboard)) {
    core.MainWindowHandle =
        clipboard->Chain().CreateWindow([&core](uint32_t m, uint64_t w, uint64_t l) -> intptr_t {
          Guarded([&] { HandleClipboardChainMessage(core, m, w, l); });
          return 0;
        });
  }
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [&core](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive) {
              Guarded([&] { QuickTranslation_ApplicationDeactivate(core); });
            }
          });
}

bool TMainLex::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
    if (watched == CopyrightLabel) {
      Guarded([this] { CopyrightLabelClick(*this, *about_factory_); });
      return true;
    }
    if (watched == QuimbrellImage || watched == Quimbrell_Label) {
      Guarded([this] { Quimbrell_LabelClick(core_); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

void TMainLex::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (shown_) return;
  shown_ = true;
  setWindowTitle(QString::fromLatin1(kTitle));
  if (const QScreen* s = screen()) {
    QRect r(QPoint(0, 0), size());
    r.moveCenter(s->availableGeometry().center());
    move(r.topLeft());
  }
  Guarded([this] { FormShow(core_); });
}

void TMainLex::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  anchors_.Apply(size());
  Guarded([this] { FormResize(); });
}

void TMainLex::FormResize() {
  const Rect list = ToRect(Entries_List->geometry());
  const QRect desc = Description_Text->geometry();
  const int h = AlignedDescriptionHeight(list, ToRect(desc));
  Description_Text->resize(desc.width(), h);
  MiddleColor_Edit->resize(MiddleColor_Edit->width(), h);
  PlaceHeadwordLabel();
  AlignHeadwordLabel(core_);
}

void TMainLex::PlaceHeadwordLabel() {
  const QRect desc = Description_Text->geometry();
  const int h = QFontMetrics(Entry_Label->font()).height();
  const int w = label_left_ ? std::max(desc.width(), width() - desc.x()) : desc.width();
  Entry_Label->setGeometry(desc.x(), 59, w, h);
  // The pronunciation takes the line between the headword and the explanation, justified as
  // the headword is.
  const int ph = QFontMetrics(Pronunciation_Label->font()).height();
  Pronunciation_Label->setGeometry(desc.x(), std::max(59 + h, desc.y() - ph), w, ph);
  Pronunciation_Label->setAlignment((label_left_ ? Qt::AlignLeft : Qt::AlignRight) |
                                    Qt::AlignVCenter);
  // The speaker stands just before a right-justified headword, just after a left-justified one.
  const int text = QFontMetrics(Entry_Label->font()).horizontalAdvance(Entry_Label->text());
  const int bw = Speak_Button->width();
  const int bx = label_left_ ? std::min(desc.x() + text + 4, width() - bw)
                             : std::max(0, desc.x() + desc.width() - text - bw - 4);
  Speak_Button->move(bx, 59 + (h - Speak_Button->height()) / 2);
  Speak_Button->raise();
}

void TMainLex::mouseMoveEvent(QMouseEvent* e) {
  Guarded([this] { HighlightToolbarButton(core_, kHoverNone); });
  QWidget::mouseMoveEvent(e);
}

void TMainLex::keyPressEvent(QKeyEvent* e) {
  // Enter reaches the window from the controls that do not take it: the default button.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
      (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    Fill_List_Button->click();
    return;
  }
  QWidget::keyPressEvent(e);
}

bool TMainLex::HeadwordLabelLeftJustified() const {
  return label_left_;
}

// --- MainView ---

std::string TMainLex::EntryText() const {
  return FromQ(Entry_Text->text());
}

void TMainLex::SetEntryText(std::string_view text) {
  const QString q = ToQ(text);
  if (q != Entry_Text->text()) Entry_Text->setText(q);
}

std::string TMainLex::EntrySelectedText() const {
  return FromQ(Entry_Text->selectedText());
}
void TMainLex::SelectAllEntryText() {
  Entry_Text->selectAll();
}
void TMainLex::CollapseEntrySelection() {
  Entry_Text->deselect();
}
void TMainLex::FocusEntryText() {
  Entry_Text->setFocus(Qt::OtherFocusReason);
}
void TMainLex::PasteIntoEntryText() {
  // Where the clipboard is read away from this thread, the text it last received is pasted:
  // asking the owner again could hang the window.
  if (auto* clipboard = dynamic_cast<QtClipboard*>(core_.svc.clipboard);
      clipboard && clipboard->ReadsAway()) {
    if (const std::optional<QString> text = clipboard->ReceivedText()) Entry_Text->insert(*text);
    return;
  }
  Entry_Text->paste();
}

void TMainLex::ListRowsChanged() {
  Entries_List->Model().Reset();
  Entries_List->ShowSelection(core_.List.Selected);
}

void TMainLex::ListSelectionChanged() {
  Entries_List->ShowSelection(core_.List.Selected);
}
void TMainLex::FocusEntriesList() {
  Entries_List->setFocus(Qt::OtherFocusReason);
}
int TMainLex::ListHeight() const {
  return Entries_List->height();
}
int TMainLex::ListWidth() const {
  // What a row's text can use: the viewport (inside the frame, less the scroll bar when one
  // shows) less the two pixels the text stands from the row's left edge.
  return Entries_List->viewport()->width() - kListTextIndent;
}

int TMainLex::MeasureListText(std::string_view text) const {
  return QFontMetrics(Entries_List->font()).horizontalAdvance(ToQ(text));
}

void TMainLex::SetListHint(std::string_view text) {
  Entries_List->setToolTip(MemoToQ(text));
}
void TMainLex::SetHintDisplayTime(int ms) {
  Entries_List->setToolTipDuration(ms);
}

void TMainLex::SetHeadwordLabel(std::string_view text) {
  Entry_Label->setText(ToQ(text));
  Speak_Button->setVisible(!text.empty());
  SpeakItem->setEnabled(!text.empty());
  PlaceHeadwordLabel();
}

void TMainLex::SetPronunciation(std::string_view utf8) {
  Pronunciation_Label->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  Pronunciation_Label->setVisible(!utf8.empty());
  PlaceHeadwordLabel();
}

std::string TMainLex::Pronunciation() const {
  return Pronunciation_Label->text().toStdString();
}

void TMainLex::SetFormHeadwordLabel(std::string_view form, std::string_view headword) {
  Entry_Label->setText(ToQ(form) + QStringLiteral(" \u2192 ") + ToQ(headword));
  PlaceHeadwordLabel();
}

std::string TMainLex::HeadwordLabel() const {
  return FromQ(Entry_Label->text());
}

int TMainLex::MeasureLabelText(std::string_view text) const {
  return QFontMetrics(Entry_Label->font()).horizontalAdvance(ToQ(text));
}

void TMainLex::SetHeadwordLabelLeftJustified(bool left) {
  label_left_ = left;
  Entry_Label->setAlignment((left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  PlaceHeadwordLabel();
}

void TMainLex::SetDescription(std::string_view text) {
  Description_Text->setPlainText(MemoToQ(text));
}

std::string TMainLex::DescriptionText() const {
  return MemoFromQ(Description_Text->toPlainText());
}

std::string TMainLex::DescriptionSelectedText() const {
  return MemoFromQ(Description_Text->textCursor().selectedText());
}

void TMainLex::CollapseDescriptionSelection() {
  QTextCursor c = Description_Text->textCursor();
  c.clearSelection();
  Description_Text->setTextCursor(c);
}

int TMainLex::DescriptionWidth() const {
  return Description_Text->width();
}
int TMainLex::DescriptionHeight() const {
  return Description_Text->height();
}

int TMainLex::DescriptionTextWidth() const {
  const int width = Description_Text->viewport()->width() -
                    static_cast<int>(2 * Description_Text->document()->documentMargin());
  return width >= QFontMetrics(Description_Text->font()).maxWidth() ? width : 0;
}

std::vector<std::string> TMainLex::DescriptionDisplayLines() const {
  std::vector<std::string> lines;
  const QTextDocument* doc = Description_Text->document();
  const qreal width =
      std::max<qreal>(1, Description_Text->viewport()->width() - 2 * doc->documentMargin());
  QTextOption option = doc->defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    const QString text = block.text();
    if (text.isEmpty()) {
      if (block.next().isValid()) lines.emplace_back();
      continue;
    }
    QTextLayout layout(text, Description_Text->font());
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      lines.push_back(FromQ(text.mid(line.textStart(), line.textLength())));
    }
    layout.endLayout();
  }
  return lines;
}

void TMainLex::SetModifyEntryEnabled(bool enabled) {
  ModifyEntryItem->setEnabled(enabled);
}
void TMainLex::SetDeleteEntryEnabled(bool enabled) {
  DeleteEntryItem->setEnabled(enabled);
}

void TMainLex::SetLangPicture(bool greek) {
  Button(ToolbarButton::kLang)->SetGlyph(greek ? GrImage : EnImage);
  Button(ToolbarButton::kLang)->setAccessibleDescription(DirectionAccessibleDescription(greek));
}

void TMainLex::SetBusy(bool busy) {
  if (busy) {
    ++busy_depth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_depth_ > 0) {
    --busy_depth_;
    QApplication::restoreOverrideCursor();
  }
}

int TMainLex::ShowPopupMenu(const std::vector<MenuItem>& items, Point screen) {
  LeftButtonMenu menu(this);
  // An empty menu still opens, as a small empty box.
  menu.setMinimumSize(kEmptyMenuSize, kEmptyMenuSize);
  std::vector<QAction*> actions;
  for (const MenuItem& item : items) {
    // Captions are shown as they are: no "&" is taken for an accelerator.
    QString caption = ToQ(item.caption);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* a = menu.addAction(caption);
    a->setEnabled(item.enabled);
    actions.push_back(a);
  }
  QAction* chosen = menu.exec(QPoint(screen.x, screen.y));
  for (size_t i = 0; i < actions.size(); ++i) {
    if (actions[i] == chosen) return static_cast<int>(i);
  }
  return -1;
}

Point TMainLex::ClientOrigin() const {
  const QPoint p = mapToGlobal(QPoint(0, 0));
  return {p.x(), p.y()};
}

Rect TMainLex::ButtonBounds(ToolbarButton button) const {
  return ToRect(Button(button)->geometry());
}

void TMainLex::SetButtonBounds(ToolbarButton button, Rect r) {
  GlyphButton* b = Button(button);
  b->setGeometry(r.left, r.top, r.width, r.height);
  b->update();
}

void TMainLex::BringButtonToFront(ToolbarButton button) {
  Button(button)->raise();
}

int TMainLex::ListRowAt(Point point) const {
  const QModelIndex i = Entries_List->indexAt(QPoint(point.x, point.y));
  return i.isValid() ? i.row() : -1;
}

void TMainLex::SetWindowWidth(int outer_width) {
  resize(std::max(outer_width - kFrameWidth, minimumWidth()), height());
}

bool TMainLex::LoadLinePicture(std::string_view path) {
  const std::optional<std::string> bytes = core_.svc.fs.ReadFile(path);
  if (!bytes) return false;
  QPixmap p;
  if (!p.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                      static_cast<uint>(bytes->size()), "BMP")) {
    return false;
  }
  Line_Image->SetPicture(std::move(p));
  return true;
}

bool TMainLex::IsStayOnTop() const {
  return windowFlags() & Qt::WindowStaysOnTopHint;
}

void TMainLex::SetStayOnTop(bool on_top) {
  const bool visible = isVisible();
  // The new style recreates the native window, which loses the keyboard focus: the window is
  // activated again and the control that had the focus gets it back.
  const bool active = isActiveWindow();
  QWidget* focused = focusWidget();
  setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  if (!visible) return;
  show();
  if (!active) return;
  raise();
  activateWindow();
  // The toolkit keeps its focus window object over the recreation, so the activation of the
  // new native window never reaches the widgets: they are told here.
  if (!isActiveWindow() && QGuiApplication::focusWindow() == windowHandle()) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(this);
    QT_WARNING_POP
  }
  if (focused) focused->setFocus(Qt::ActiveWindowFocusReason);
}

void TMainLex::CloseMainWindow() {
  close();
}

void TMainLex::SetApplicationTitle(std::string_view text) {
  application_title_ = ToQ(text);
}

void TMainLex::SetWindowCaption(std::string_view text) {
  setWindowTitle(ToQ(text));
}

void TMainLex::SetAutoTranslatePicture(bool on) {
  Button(ToolbarButton::kAutoTranslate)->SetGlyph(on ? CancelAutoTrImage : AutoTrImage);
}

void TMainLex::SetAutoTranslateHint(std::string_view text) {
  Button(ToolbarButton::kAutoTranslate)->setToolTip(ToQ(text));
}

void TMainLex::MinimizeApplication() {
  showMinimized();
}

void TMainLex::RestoreApplication() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void TMainLex::ActivateWindow() {
  activateWindow();
}

bool TMainLex::ShowHelpWindow(std::string_view path) {
  if (!help_form_) help_form_ = new THelpForm(core_.svc.shell, core_.svc.messages, this);
  if (!help_form_->ShowDocument(QString::fromStdString(PosixFileSystem::Resolve(path)))) {
    return false;
  }
  help_form_->show();
  help_form_->raise();
  help_form_->activateWindow();
  return true;
}

bool TMainLex::ModifyEntryEnabled() const {
  return ModifyEntryItem->isEnabled();
}

bool TMainLex::DeleteEntryEnabled() const {
  return DeleteEntryItem->isEnabled();
}

}  // namespace zelvoran
