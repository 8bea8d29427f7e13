#include "resources/dialog_ids.h"
#include "resources/dialog_template.h"
#include "resources/support_contact.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace qx::res {
namespace {

const DialogTemplate& Dialog(int id)
{
    const DialogTemplate* dialog = FindDialogTemplate(id);
    EXPECT_NE(dialog, nullptr) << "dialog " << id;
    static const DialogTemplate kEmpty{};
    return dialog ? *dialog : kEmpty;
}

constexpr int kAllDialogs[] = {100, 102, 130, 134, 139, 140, 141, 147};

TEST(DialogTemplates, EveryDialogWithItsSizeAndControlCount)
{
    struct Case {
        int id;
        int cx, cy;
        std::size_t controls;
    };
    const Case cases[] = {
        {100, 189, 60, 4},  {102, 418, 271, 31}, {130, 218, 218, 22}, {134, 197, 113, 9},
        {139, 186, 42, 3},  {140, 197, 106, 9},  {141, 186, 34, 2},   {147, 197, 103, 8},
    };
    for (const Case& c : cases) {
        const DialogTemplate& dialog = Dialog(c.id);
        EXPECT_EQ(dialog.id, c.id);
        EXPECT_EQ(dialog.rect.cx, c.cx) << c.id;
        EXPECT_EQ(dialog.rect.cy, c.cy) << c.id;
        EXPECT_EQ(dialog.controls.size(), c.controls) << c.id;
        EXPECT_EQ(dialog.fontName, "MS Sans Serif") << c.id;
        EXPECT_EQ(dialog.pointSize, 8) << c.id;
    }
    for (int id : {0, 101, 128, 133, 1000}) EXPECT_EQ(FindDialogTemplate(id), nullptr) << id;
}

TEST(DialogTemplates, Captions)
{
    EXPECT_EQ(Dialog(100).caption, "A Propos de QXBêta");
    for (int id : {102, 130, 134, 139, 140, 141, 147}) {
        EXPECT_TRUE(Dialog(id).caption.starts_with("QXBêta - ")) << id;
        EXPECT_GT(Dialog(id).caption.size(), std::string_view("QXBêta - ").size()) << id;
        EXPECT_EQ(Dialog(id).caption, Dialog(102).caption) << id;
    }
}

TEST(DialogTemplates, ControlsInTabOrder)
{
    struct Case {
        int dialog;
        std::size_t position;
        int id;
        ControlKind kind;
        std::string_view text;
        DialogRect rect;
    };
    const Case cases[] = {
        {100, 0, kNoId, ControlKind::Icon, "128", {7, 7, 21, 20}},
        {100, 2, 1, ControlKind::DefPushButton, "OK", {75, 39, 40, 14}},
        {100, 3, 1050, ControlKind::StaticText, "QXBêta version 5.50J", {31, 7, 126, 8}},
        {102, 0, 1034, ControlKind::PushButton, "...", {134, 27, 17, 14}},
        {102, 3, 1009, ControlKind::Edit, "", {13, 158, 233, 33}},
        {102, 6, 1040, ControlKind::AutoRadioButton, "Ne sais pas", {13, 230, 50, 10}},
        {102, 9, 1041, ControlKind::AutoRadioButton, "Ne sais pas", {156, 230, 49, 10}},
        {102, 11, 1074, ControlKind::DefPushButton, "&Imprimer", {121, 248, 50, 14}},
        {102, 15, 57670, ControlKind::PushButton, "Aide", {361, 248, 50, 14}},
        {102, 17, 1026, ControlKind::Edit, "", {265, 91, 137, 145}},
        {102, 19, kNoId, ControlKind::GroupBox, "Votre système", {257, 49, 153, 194}},
        {102, 21, kNoId, ControlKind::StaticText, "Décrivez le mode opératoire pour reproduire l'incident :", {13, 104, 172, 8}},
        {102, 24, kNoId, ControlKind::StaticText, "A faxer au 01 47 20 55 50", {328, 20, 83, 8}},
        {102, 29, 1073, ControlKind::StaticText, "Rapport Bêta Version", {97, 2, 222, 21}},
        {102, 30, kNoId, ControlKind::StaticText, "ou à envoyer par e-mail à beta@orvane.fr", {279, 30, 132, 8}},
        {130, 0, 1000, ControlKind::Edit, "", {51, 36, 154, 14}},
        {130, 3, 1032, ControlKind::Edit, "", {51, 87, 49, 14}},
        {130, 8, 1044, ControlKind::Edit, "", {51, 173, 75, 14}},
        {130, 10, 2, ControlKind::PushButton, "&Annuler", {161, 197, 50, 14}},
        {130, 19, kNoId, ControlKind::StaticText, "N° de série :", {7, 177, 41, 8}},
        {130, 21, kNoId, ControlKind::StaticText, "(6 caractères)", {129, 176, 44, 8}},
        {134, 4, kNoId, ControlKind::StaticText, " [Impr écran] pour capturer l'image de votre écran et", {11, 53, 164, 8}},
        {134, 7, 1048, ControlKind::AutoCheckBox, "Ne plus afficher ce message", {7, 96, 109, 10}},
        {134, 8, 1, ControlKind::DefPushButton, "OK", {140, 92, 50, 14}},
        {139, 1, 1057, ControlKind::ProgressBar, "", {1, 32, 184, 9}},
        {139, 2, kNoId, ControlKind::StaticText, "Analyse en cours...", {6, 16, 70, 8}},
        {140, 0, kNoId, ControlKind::Icon, "128", {7, 7, 18, 20}},
        {140, 4, kNoId, ControlKind::StaticText, "Il devra être envoyé en pièce jointe à beta@orvane.fr", {9, 53, 169, 8}},
        {140, 6, kNoId, ControlKind::StaticText, "dans le sujet du mail : \"Rapport Bêta Version\".", {9, 71, 146, 8}},
        {140, 7, 1, ControlKind::DefPushButton, "OK", {140, 85, 50, 14}},
        {140, 8, 1048, ControlKind::AutoCheckBox, "Ne plus afficher ce message", {7, 89, 105, 10}},
        {141, 0, kNoId, ControlKind::StaticText, "Traitement en cours...", {7, 19, 70, 8}},
        {147, 3, kNoId, ControlKind::StaticText, "Elle sera intégrée au rapport géneré par QXBêta.", {7, 42, 162, 8}},
        {147, 7, 1, ControlKind::DefPushButton, "OK", {140, 82, 50, 14}},
    };
    static_assert(kSupportFax == "01 47 20 55 50" && kSupportEmail == "beta@orvane.fr");
    for (const Case& c : cases) {
        const DialogTemplate& dialog = Dialog(c.dialog);
        ASSERT_LT(c.position, dialog.controls.size()) << c.dialog;
        const ControlTemplate& control = dialog.controls[c.position];
        SCOPED_TRACE(testing::Message() << "dialog " << c.dialog << " control " << c.position);
        EXPECT_EQ(control.id, c.id);
        EXPECT_EQ(control.kind, c.kind);
        EXPECT_EQ(control.text, c.text);
        EXPECT_EQ(control.rect.x, c.rect.x);
        EXPECT_EQ(control.rect.y, c.rect.y);
        EXPECT_EQ(control.rect.cx, c.rect.cx);
        EXPECT_EQ(control.rect.cy, c.rect.cy);
    }
}

TEST(DialogTemplates, IdsAreUniqueFoundAndInsideTheirDialog)
{
    for (int id : kAllDialogs) {
        const DialogTemplate& dialog = Dialog(id);
        std::set<int> seen;
        for (const ControlTemplate& control : dialog.controls) {
            SCOPED_TRACE(testing::Message() << "dialog " << id << " control " << control.id << " " << control.text);
            if (control.id != kNoId) {
                EXPECT_TRUE(seen.insert(control.id).second);
                EXPECT_EQ(FindControl(dialog, control.id), &control);
            }
            EXPECT_GE(control.rect.x, 0);
            EXPECT_GE(control.rect.y, 0);
            EXPECT_GT(control.rect.cx, 0);
            EXPECT_GT(control.rect.cy, 0);
            EXPECT_LE(control.rect.x + control.rect.cx, dialog.rect.cx);
            EXPECT_LE(control.rect.y + control.rect.cy, dialog.rect.cy);
            // Every text must survive the program's code page.
            EXPECT_EQ(text::Cp1252ToUtf8(text::Utf8ToCp1252(control.text)), control.text);
        }
        EXPECT_EQ(FindControl(dialog, kNoId), nullptr);
        EXPECT_EQ(FindControl(dialog, 9999), nullptr);
    }
}

TEST(DialogTemplates, StylesTheDialogLayerRelies)
{
    const DialogTemplate& report = Dialog(kDialogReport);
    const auto styleOf = [&](int id) { return FindControl(report, id)->style; };
    // Each radio group starts at its first button and ends where the next group starts.
    for (int id : {1021, 1023, 1000}) EXPECT_TRUE(styleOf(id) & kStyleGroup) << id;
    for (int id : {1022, 1040, 1024, 1041}) EXPECT_FALSE(styleOf(id) & kStyleGroup) << id;
    for (int id : {1007, 1008, 1009}) {
        EXPECT_EQ(styleOf(id) & (kStyleMultiline | kStyleWantReturn | kStyleVScroll),
                  kStyleMultiline | kStyleWantReturn | kStyleVScroll) << id;
    }
    for (int id : {1000, 1006}) EXPECT_EQ(styleOf(id) & (kStyleDisabled | kStyleReadOnly), kStyleDisabled | kStyleReadOnly);
    EXPECT_TRUE(styleOf(1026) & kStyleReadOnly);
    EXPECT_FALSE(styleOf(1026) & kStyleDisabled);
    EXPECT_TRUE(styleOf(1073) & kStyleCenter);
    EXPECT_TRUE(report.style & kDlgAppWindow);
    EXPECT_FALSE(report.style & kDlgMinimizeBox);

    EXPECT_TRUE(FindControl(Dialog(kDialogIdentity), 1032)->style & kStyleNumber);
    for (int id : {kDialogStartNotice, kDialogMailNotice, kDialogCaptureNotice}) {
        EXPECT_EQ(Dialog(id).style & (kDlgSystemModal | kDlgCentered | kDlgSysMenu),
                  kDlgSystemModal | kDlgCentered | kDlgSysMenu) << id;
    }
    for (int id : {kDialogProgress, kDialogBusy}) {
        EXPECT_FALSE(Dialog(id).style & kDlgSysMenu) << id;
        EXPECT_EQ(Dialog(id).style & (kDlgSystemModal | kDlgVisible | kDlgCentered),
                  kDlgSystemModal | kDlgVisible | kDlgCentered) << id;
    }
}

} // namespace
} // namespace qx::res
