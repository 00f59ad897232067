// The main window's interface texts: every caption and tool tip is a form text of the
// chosen language, listed here once with the object it belongs to.
#include "app/MainMenu.h"

#include "library/ProgramState.h"
#include "localisation/MessageText.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

enum class Kind { Caption, ToolTip };

struct Text {
    QObject* object;
    int number;
    Kind kind;
};

void apply(QObject* object, Kind kind, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(object)) {
        kind == Kind::Caption ? a->setText(text) : a->setToolTip(text);
    } else if (auto* m = qobject_cast<QMenu*>(object)) {
        m->setTitle(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(object)) {
        kind == Kind::Caption ? g->setTitle(text) : g->setToolTip(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(object)) {
        kind == Kind::Caption ? b->setText(text) : b->setToolTip(text);
    } else if (auto* w = qobject_cast<QWidget*>(object)) {
        w->setToolTip(text);
    }
}

} // namespace

void MainMenu::International() {
    const MainActions& a = m_actions;
    const MainMenus& m = m_menus;
    constexpr Kind tip = Kind::ToolTip, cap = Kind::Caption;
    const Text texts[] = {
        // Tool buttons (the tool tip of the command they show) and the search controls.
        {a.file.open, 27, tip},
        {a.file.save, 28, tip},
        {a.file.print, 29, tip},
        {a.edit.cut, 30, tip},
        {a.edit.copy, 31, tip},
        {a.edit.paste, 32, tip},
        {a.edit.undo, 33, tip},
        {a.edit.remove, 34, tip},
        {a.edit.find, 35, tip},
        {a.edit.findNext, 36, tip},
        {a.format.backColour, 37, tip},
        {a.format.foreColour, 38, tip},
        {a.format.bold, 39, tip},
        {a.format.italic, 40, tip},
        {a.format.underline, 41, tip},
        {a.format.left, 42, tip},
        {a.format.centre, 43, tip},
        {a.format.right, 44, tip},
        {a.format.indentLess, 45, tip},
        {a.format.indentMore, 46, tip},
        {a.format.bullet, 47, tip},
        {a.view.multiBible, 48, tip},
        {a.view.dictionary, 49, tip},
        {a.view.commentary, 50, tip},
        {a.view.names, 51, tip},
        {a.view.openDiary, 52, tip},
        {a.help.contents, 53, tip},
        {a.media.helpFileBibles, 54, tip},
        {a.media.audioBibles, 55, tip},
        {Command1, 56, tip},
        {cStop, 57, tip},
        {Command2, 122, tip},
        {cboSearch, 124, tip},
        {cboTranslation, 125, tip},
        {cboBooks, 126, tip},
        {chkNone, 127, tip},
        {chkAnyOrder, 128, tip},
        {chkAnyTerms, 129, tip},
        {chkAllverses, 130, tip},
        {Frame1, 135, tip},
        {chkActiveUpd, 138, tip},
        {ChkCase, 139, tip},
        // Menus and their items.
        {m.file, 70, cap},
        {a.file.newFile, 58, cap},
        {a.file.open, 59, cap},
        {a.file.save, 60, cap},
        {a.file.saveAs, 61, cap},
        {a.file.printPreview, 62, cap},
        {a.file.printSetup, 63, cap},
        {a.file.print, 64, cap},
        {a.file.exit, 65, cap},
        {m.edit, 66, cap},
        {a.edit.cut, 67, cap},
        {a.edit.copy, 68, cap},
        {a.edit.paste, 69, cap},
        {a.edit.undo, 71, cap},
        {a.edit.remove, 72, cap},
        {a.edit.find, 73, cap},
        {a.edit.findNext, 74, cap},
        {a.edit.selectAll, 75, cap},
        {a.edit.wrap, 76, cap},
        {m.view, 77, cap},
        {a.view.multiBible, 78, cap},
        {a.view.commentary, 79, cap},
        {a.view.dictionary, 80, cap},
        {a.view.maps, 81, cap},
        {a.view.names, 82, cap},
        {a.view.integrateNames, 83, cap},
        {m.prayerDiary, 84, cap},
        {a.view.openDiary, 85, cap},
        {a.view.switchIdentity, 86, cap},
        {a.view.translationNotes, 87, cap},
        {m.format, 88, cap},
        {a.format.date, 169, cap},
        {a.format.pageSetup, 90, cap},
        {a.format.bookmark, 91, cap},
        {m.tools, 92, cap},
        {a.tools.language, 93, cap},
        {a.tools.folderTool, 94, cap},
        {a.tools.options, 95, cap},
        {a.tools.reIndex, 96, cap},
        {m.integrity, 97, cap},
        {a.tools.integrityBibles, 98, cap},
        {a.tools.integrityCommentaries, 99, cap},
        {a.tools.integrityDictionaries, 100, cap},
        {a.tools.integrityNames, 101, cap},
        {a.tools.integrityAll, 102, cap},
        {a.tools.importModule, 1049, cap},
        {a.tools.debug, 199, cap},
        {m.web, 103, cap},
        {a.web.forum, 104, cap},
        {a.web.website, 105, cap},
        {m.mailingList, 106, cap},
        {a.web.subscribeWeb, 107, cap},
        {a.web.subscribeEmail, 108, cap},
        {m.unsubscribe, 109, cap},
        {a.web.unsubscribeWeb, 110, cap},
        {a.web.unsubscribeEmail, 111, cap},
        {m.sendMessage, 112, cap},
        {a.web.sendWeb, 113, cap},
        {a.web.sendEmail, 114, cap},
        {m.help, 115, cap},
        {a.help.contents, 116, cap},
        {a.help.licence, 117, cap},
        {a.help.about, 118, cap},
        {a.help.splash, 119, cap},
        {a.web.bugReport, 121, cap},
        // Captions of the search controls.
        {Command2, 123, cap},
        {chkNone, 131, cap},
        {chkAnyOrder, 132, cap},
        {chkAnyTerms, 133, cap},
        {chkAllverses, 134, cap},
        {Frame1, 135, cap},
        {chkActiveUpd, 136, cap},
        {ChkCase, 137, cap},
    };
    for (const Text& t : texts)
        apply(t.object, t.kind, MessageText::Frm(m_state, t.number));
}
