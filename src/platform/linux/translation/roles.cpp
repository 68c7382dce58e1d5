#include "translation/roles.h"

#include <array>
#include <utility>

namespace axt::lindesk {

namespace {

// Roles whose meaning doesn't depend on any state.
constexpr std::array<std::pair<AtspiRole, const char*>, 47> kFixedRoles = {{
    {ATSPI_ROLE_APPLICATION, "AXApplication"},
    {ATSPI_ROLE_FRAME, "AXWindow"},
    {ATSPI_ROLE_DIALOG, "AXWindow"},
    {ATSPI_ROLE_WINDOW, "AXWindow"},
    {ATSPI_ROLE_ALERT, "AXWindow"},
    {ATSPI_ROLE_FILE_CHOOSER, "AXWindow"},
    {ATSPI_ROLE_COLOR_CHOOSER, "AXWindow"},
    {ATSPI_ROLE_LABEL, "AXStaticText"},
    {ATSPI_ROLE_STATIC, "AXStaticText"},
    {ATSPI_ROLE_CAPTION, "AXStaticText"},
    {ATSPI_ROLE_FOOTNOTE, "AXStaticText"},
    {ATSPI_ROLE_HEADING, "AXHeading"},
    {ATSPI_ROLE_PUSH_BUTTON, "AXButton"},
    {ATSPI_ROLE_TOGGLE_BUTTON, "AXCheckBox"},
    {ATSPI_ROLE_CHECK_BOX, "AXCheckBox"},
    {ATSPI_ROLE_RADIO_BUTTON, "AXRadioButton"},
    {ATSPI_ROLE_COMBO_BOX, "AXComboBox"},
    {ATSPI_ROLE_LIST, "AXList"},
    {ATSPI_ROLE_LIST_BOX, "AXList"},
    {ATSPI_ROLE_LIST_ITEM, "AXCell"},
    {ATSPI_ROLE_MENU_BAR, "AXMenuBar"},
    {ATSPI_ROLE_MENU, "AXMenu"},
    {ATSPI_ROLE_POPUP_MENU, "AXMenu"},
    {ATSPI_ROLE_MENU_ITEM, "AXMenuItem"},
    {ATSPI_ROLE_CHECK_MENU_ITEM, "AXMenuItem"},
    {ATSPI_ROLE_RADIO_MENU_ITEM, "AXMenuItem"},
    {ATSPI_ROLE_TEAROFF_MENU_ITEM, "AXMenuItem"},
    {ATSPI_ROLE_TOOL_BAR, "AXToolbar"},
    {ATSPI_ROLE_SCROLL_PANE, "AXScrollArea"},
    {ATSPI_ROLE_SCROLL_BAR, "AXScrollBar"},
    {ATSPI_ROLE_SLIDER, "AXSlider"},
    {ATSPI_ROLE_SPIN_BUTTON, "AXIncrementor"},
    {ATSPI_ROLE_PAGE_TAB_LIST, "AXTabGroup"},
    {ATSPI_ROLE_PAGE_TAB, "AXRadioButton"},
    {ATSPI_ROLE_TABLE, "AXTable"},
    {ATSPI_ROLE_TREE_TABLE, "AXOutline"},
    {ATSPI_ROLE_TREE, "AXOutline"},
    {ATSPI_ROLE_TABLE_CELL, "AXCell"},
    {ATSPI_ROLE_IMAGE, "AXImage"},
    {ATSPI_ROLE_ICON, "AXImage"},
    {ATSPI_ROLE_LINK, "AXLink"},
    {ATSPI_ROLE_PROGRESS_BAR, "AXProgressIndicator"},
    {ATSPI_ROLE_PANEL, "AXGroup"},
    {ATSPI_ROLE_FILLER, "AXGroup"},
    {ATSPI_ROLE_SECTION, "AXGroup"},
    {ATSPI_ROLE_DOCUMENT_WEB, "AXWebArea"},
    {ATSPI_ROLE_TOOL_TIP, "AXHelpTag"},
}};

bool isTextRole(AtspiRole role) {
  switch (role) {
    case ATSPI_ROLE_TEXT:
    case ATSPI_ROLE_ENTRY:
    case ATSPI_ROLE_PASSWORD_TEXT:
    case ATSPI_ROLE_PARAGRAPH:
    case ATSPI_ROLE_DOCUMENT_TEXT:
    case ATSPI_ROLE_TERMINAL:
    // A document viewer's page: text the user selects, not edits.
    case ATSPI_ROLE_PAGE:
      return true;
    default:
      return false;
  }
}

// Containers of a document's content that hold its text themselves when the
// user can write in them: a rich-text editor in a page (`contenteditable`),
// a mail composer's body. Not editable, they stay what they are.
bool isEditableContainer(AtspiRole role, const RoleTraits& traits) {
  if (!traits.editable) return false;
  switch (role) {
    case ATSPI_ROLE_DOCUMENT_WEB:
    case ATSPI_ROLE_DOCUMENT_EMAIL:
    case ATSPI_ROLE_DOCUMENT_FRAME:
    case ATSPI_ROLE_SECTION:
      return true;
    default:
      return false;
  }
}

MappedRole textRole(AtspiRole role, const RoleTraits& traits) {
  if (role == ATSPI_ROLE_PASSWORD_TEXT) return {"AXTextField", "AXSecureTextField"};
  if (!traits.editable) return {"AXStaticText", std::nullopt};
  if (traits.multiLine) return {"AXTextArea", std::nullopt};
  if (traits.singleLine || role == ATSPI_ROLE_ENTRY) return {"AXTextField", std::nullopt};
  // Editable text that states neither: documents and paragraphs hold lines.
  return {"AXTextArea", std::nullopt};
}

}  // namespace

MappedRole mapRole(AtspiRole role, const RoleTraits& traits) {
  if (isTextRole(role) || isEditableContainer(role, traits)) return textRole(role, traits);
  for (const auto& [atspi, name] : kFixedRoles) {
    if (atspi == role) return {name, std::nullopt};
  }
  return {"AXUnknown", std::nullopt};
}

}  // namespace axt::lindesk
