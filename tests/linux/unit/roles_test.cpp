// The roles the library sees for AT-SPI roles: text widgets by what they
// let the user do, everything else by a fixed table.
#include "translation/roles.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

RoleTraits editable(bool multi, bool single) { return RoleTraits{true, multi, single}; }

TEST(Roles, EditableMultiLineTextIsATextArea) {
  EXPECT_EQ(mapRole(ATSPI_ROLE_TEXT, editable(true, false)).role, "AXTextArea");
  EXPECT_EQ(mapRole(ATSPI_ROLE_DOCUMENT_TEXT, editable(true, false)).role, "AXTextArea");
  // Editable text that tells neither is a document, not a field.
  EXPECT_EQ(mapRole(ATSPI_ROLE_TEXT, editable(false, false)).role, "AXTextArea");
}

TEST(Roles, SingleLineEntriesAreTextFields) {
  EXPECT_EQ(mapRole(ATSPI_ROLE_TEXT, editable(false, true)).role, "AXTextField");
  EXPECT_EQ(mapRole(ATSPI_ROLE_ENTRY, editable(false, false)).role, "AXTextField");
  EXPECT_EQ(mapRole(ATSPI_ROLE_ENTRY, editable(false, true)).subrole, std::nullopt);
}

TEST(Roles, PasswordsAreSecureTextFieldsEditableOrNot) {
  const MappedRole secure{"AXTextField", "AXSecureTextField"};
  EXPECT_EQ(mapRole(ATSPI_ROLE_PASSWORD_TEXT, editable(false, true)), secure);
  EXPECT_EQ(mapRole(ATSPI_ROLE_PASSWORD_TEXT, RoleTraits{}), secure);
}

TEST(Roles, TextTheUserCantEditIsStaticText) {
  EXPECT_EQ(mapRole(ATSPI_ROLE_TEXT, RoleTraits{false, true, false}).role, "AXStaticText");
  EXPECT_EQ(mapRole(ATSPI_ROLE_ENTRY, RoleTraits{false, false, true}).role, "AXStaticText");
  EXPECT_EQ(mapRole(ATSPI_ROLE_LABEL, RoleTraits{}).role, "AXStaticText");
  // A label stays static text whatever states it has.
  EXPECT_EQ(mapRole(ATSPI_ROLE_LABEL, editable(true, false)).role, "AXStaticText");
}

TEST(Roles, EditableDocumentsOfPagesAreTextAreas) {
  // A rich-text editor in a page, a mail composer's body.
  EXPECT_EQ(mapRole(ATSPI_ROLE_DOCUMENT_WEB, editable(true, false)).role, "AXTextArea");
  EXPECT_EQ(mapRole(ATSPI_ROLE_DOCUMENT_EMAIL, editable(false, false)).role, "AXTextArea");
  EXPECT_EQ(mapRole(ATSPI_ROLE_SECTION, editable(true, false)).role, "AXTextArea");
  EXPECT_EQ(mapRole(ATSPI_ROLE_SECTION, editable(false, true)).role, "AXTextField");
  // The same roles the user can't write in keep their meaning.
  EXPECT_EQ(mapRole(ATSPI_ROLE_DOCUMENT_WEB, RoleTraits{false, true, false}).role, "AXWebArea");
  EXPECT_EQ(mapRole(ATSPI_ROLE_SECTION, RoleTraits{}).role, "AXGroup");
}

TEST(Roles, ADocumentViewersPageIsStaticText) {
  EXPECT_EQ(mapRole(ATSPI_ROLE_PAGE, RoleTraits{}).role, "AXStaticText");
}

TEST(Roles, ApplicationsAndWindows) {
  EXPECT_EQ(mapRole(ATSPI_ROLE_APPLICATION, RoleTraits{}).role, "AXApplication");
  EXPECT_EQ(mapRole(ATSPI_ROLE_FRAME, RoleTraits{}).role, "AXWindow");
  EXPECT_EQ(mapRole(ATSPI_ROLE_DIALOG, RoleTraits{}).role, "AXWindow");
  EXPECT_EQ(mapRole(ATSPI_ROLE_WINDOW, RoleTraits{}).role, "AXWindow");
}

TEST(Roles, EveryRoleMapsToSomething) {
  for (int r = ATSPI_ROLE_INVALID; r < ATSPI_ROLE_LAST_DEFINED; ++r) {
    const MappedRole m = mapRole(static_cast<AtspiRole>(r), RoleTraits{});
    EXPECT_FALSE(m.role.empty()) << r;
    EXPECT_EQ(m.role.rfind("AX", 0), 0u) << r;
  }
  EXPECT_EQ(mapRole(ATSPI_ROLE_INVALID, RoleTraits{}).role, "AXUnknown");
  EXPECT_EQ(mapRole(ATSPI_ROLE_PUSH_BUTTON, RoleTraits{}).role, "AXButton");
}

}  // namespace
}  // namespace axt::lindesk
