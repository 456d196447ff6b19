// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"
#include "toolkit/announcer.h"
#include "toolkit/imagebox.h"
#include "toolkit/sortedlistbox.h"
#include "board/thumbnailboard.h"
#include "settings/settingsfile.h"
#include "testpictures.h"
#include "testsupport.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// What the user can reach: every control by object name, array elements
// as name(index).
struct AccessibleTree
{
    QHash<QString, QAccessibleInterface *> named;
    QStringList focusableWithoutName;
    // Nodes a screen reader takes for a window of their own.
    QStringList frames;
    // Children whose way back up does not lead to where they were found.
    QStringList misplaced;
};

void walk(QAccessibleInterface *node, AccessibleTree &tree)
{
    QString key;
    if (QObject *object = node->object(); object && !object->objectName().isEmpty()) {
        const QVariant index = object->property("index");
        key = index.isValid() ? QStringLiteral("%1(%2)").arg(object->objectName()).arg(index.toInt())
                              : object->objectName();
        tree.named.insert(key, node);
    }
    const QString shown = key.isEmpty() ? QString::number(node->role()) : key;
    const QAccessible::State state = node->state();
    if (state.focusable && !state.invisible && node->text(QAccessible::Name).isEmpty())
        tree.focusableWithoutName << shown;
    if (node->role() == QAccessible::Window || node->role() == QAccessible::Border)
        tree.frames << shown;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (child->parent() != node || node->indexOfChild(child) != i)
            tree.misplaced << QStringLiteral("%1 child %2").arg(shown).arg(i);
        walk(child, tree);
    }
}

// A key as the user presses it: to whatever has the focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

void type(const QString &text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

} // namespace

class tst_access : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase() { m_treeForm.reset(); }

    void accessibleTree_data();
    void accessibleTree();
    void frameRoles_data();
    void frameRoles();
    void pageKeysAnnounce_data();
    void pageKeysAnnounce();
    void keyboardAloneDescribesThreePictures();
    void pageKeysScrollTheBoard();

private:
    QString makeFolder(const QString &name, const QStringList &files);
    QTemporaryDir m_dir;
    std::unique_ptr<frmMain> m_treeForm; // walked by every row of accessibleTree
};

void tst_access::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
}

void tst_access::init()
{
    QFile::remove(Settings::filePath());
}

QString tst_access::makeFolder(const QString &name, const QStringList &files)
{
    const QString folder = m_dir.filePath(name);
    QDir().mkpath(folder);
    for (const QString &file : files)
        flatImage(QSize(40, 30), Qt::darkCyan).save(folder + QLatin1Char('/') + file, "JPG");
    return folder;
}

void tst_access::accessibleTree_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("label");
    if (OnWindows)
        QTest::newRow("drive box: its description, as Qt names combo boxes on Windows")
            << "Drive1" << "Drives" << "Drives" << "";
    else
        QTest::newRow("drive box: the drive, as Qt names combo boxes on Linux") << "Drive1" << "/" << "Drives" << "";
    QTest::newRow("folder box") << "Dir1" << "Folders" << "" << "";
    QTest::newRow("file box") << "File1" << "Files of the folder" << "" << "";
    QTest::newRow("file list") << "List1" << "File list" << "" << "";
    QTest::newRow("page list") << "List2" << "Page list" << "" << "";
    QTest::newRow(">") << "cmdAdd" << "Move to page list" << "" << "";
    QTest::newRow("<") << "cmdRemove" << "Move back to file list" << "" << "";
    QTest::newRow("filter keeps its caption, labelled by its group") << "optFilter(2)" << "html" << ""
                                                                     << "optFilterGroup(2)";
    QTest::newRow("button keeps its caption") << "cmdBuild" << "Build HTML of Images" << "" << "";
    QTest::newRow("name box") << "txtName" << "Name" << "Filename and Title. Filename appended with .html when building it."
                              << "Label1(1)";
    QTest::newRow("page description box") << "txtDesc" << "Page Description" << "Description at top of the page"
                                          << "Label1(0)";
    QTest::newRow("picture description box follows its label")
        << "txtItemDesc" << "Picture Description for Pic 2"
        << "Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text"
        << "lblPicDesc";
    QTest::newRow("thumbnail with its description") << "imgView(2)" << "Picture 2: beach.jpg" << "Sandy" << "";
    QTest::newRow("thumbnail without one") << "imgView(3)" << "Picture 3: zoo.jpg" << "" << "";
    QTest::newRow("board counts its pictures") << "Frame1" << "Thumbnails" << "3 pictures" << "";
}

void tst_access::accessibleTree()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QString, label);
    std::unique_ptr<frmMain> &form = m_treeForm;
    if (!form) {
        Settings::writeStoredFolder(makeFolder(QStringLiteral("tree"), {"zoo.jpg", "Alps.jpg", "beach.jpg"}));
        form = std::make_unique<frmMain>();
        form->Form_Load();
        selectNames(form->List1, form->List1->names());
        form->cmdAdd->click();
        form->cmdRefresh->click();
        form->imgView_Click(2);
        form->txtItemDesc->setText(QStringLiteral("Sandy"));
        form->imgView_Click(2);
    }
    AccessibleTree tree;
    walk(QAccessible::queryAccessibleInterface(form.get()), tree);
    QCOMPARE(tree.focusableWithoutName, QStringList());
    QCOMPARE(tree.frames, QStringList{"frmMain"});
    QCOMPARE(tree.misplaced, QStringList());

    QAccessibleInterface *node = tree.named.value(control);
    QVERIFY(node);
    QCOMPARE(node->text(QAccessible::Name), name);
    QCOMPARE(node->text(QAccessible::Description), description);
    if (control.startsWith(QLatin1String("imgView")))
        QCOMPARE(node->role(), QAccessible::Graphic);
    if (!label.isEmpty()) {
        const auto labels = node->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->object(), tree.named.value(label)->object());
    }
}

void tst_access::frameRoles_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QStringList>("children"); // empty: not checked
    QTest::addColumn<int>("pictures");
    QTest::newRow("the window is a window") << "frmMain" << int(QAccessible::Window) << QStringList() << 1;
    QTest::newRow("the board's viewport: a group of the frame and the scroll bar, its border left out")
        << "Frame2" << int(QAccessible::Grouping) << QStringList{"Frame1", "VScroll1"} << 1;
    QTest::newRow("the board frame: a group of the thumbnails")
        << "Frame1" << int(QAccessible::Grouping) << QStringList{"imgView(0)", "imgView(1)"} << 1;
    QTest::newRow("the scroll bar lies in the window") << "VScroll1" << int(QAccessible::ScrollBar) << QStringList()
                                                       << 1;
    QTest::newRow("a thumbnail lies in the window") << "imgView(1)" << int(QAccessible::Graphic) << QStringList() << 1;
    QTest::newRow("a board of 300 thumbnails after one of 301, read at once")
        << "imgView(300)" << int(QAccessible::Graphic) << QStringList() << 301;
}

// A screen reader presents a control's focus only when the nearest frame
// above it, taken for its window, is the active one.
void tst_access::frameRoles()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QStringList, children);
    QFETCH(int, pictures);
    QStringList names;
    for (int i = 0; i < pictures; ++i)
        names << QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
    Settings::writeStoredFolder(makeFolder(QStringLiteral("frames-%1").arg(pictures), names));
    frmMain form;
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    selectNames(form.List1, form.List1->names());
    form.cmdAdd->click();
    form.cmdRefresh->click();
    if (pictures > 1) {
        form.List2->item(0)->setSelected(true);
        form.cmdRemove->click();
        form.cmdRefresh->click();
    }
    // The focus ring then lies in the viewport too.
    form.VScroll1->setFocus();
    AccessibleTree tree;
    QElapsedTimer clock;
    clock.start();
    walk(QAccessible::queryAccessibleInterface(&form), tree);
    // A screen reader's flat review waits for this; the window too.
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    QCOMPARE(tree.misplaced, QStringList());
    QCOMPARE(QAccessible::queryAccessibleInterface(form.Frame1)->childCount(), form.thumbnailCount() + 1);

    QAccessibleInterface *node = tree.named.value(control);
    QVERIFY(node);
    QCOMPARE(int(node->role()), role);
    if (!children.isEmpty()) {
        QStringList found;
        for (int i = 0; i < node->childCount(); ++i)
            found << tree.named.key(node->child(i), QStringLiteral("unnamed"));
        found.sort();
        QCOMPARE(found, children);
    }
    QAccessibleInterface *window = node;
    while (window && window->role() != QAccessible::Window && window->role() != QAccessible::Border)
        window = window->parent();
    QVERIFY(window);
    QCOMPARE(window->object(), &form);
}

void tst_access::pageKeysAnnounce_data()
{
    QTest::addColumn<QStringList>("keys"); // what is typed, or a key by name
    QTest::addColumn<QList<QStringList>>("announced");
    const auto pic = [](int n, const char *file) {
        return QStringLiteral("Picture Description for Pic %1, Picture %1: %2").arg(n).arg(QLatin1String(file));
    };
    QTest::newRow("Page Down: the first picture, and past the last that it is the last")
        << QStringList{"PageDown", "Snow", "PageDown", "PageDown", "PageDown"}
        << QList<QStringList>{{pic(1, "a.jpg"), ""}, {pic(2, "b.jpg"), ""}, {pic(3, "c.jpg"), ""},
                              {"Picture 3: c.jpg is the last picture", ""}};
    QTest::newRow("Page Up and Enter: the picture with its description; before the first that it is the first")
        << QStringList{"PageDown", "Snow", "PageDown", "PageUp", "Return", "PageUp"}
        << QList<QStringList>{{pic(1, "a.jpg"), ""}, {pic(2, "b.jpg"), ""}, {pic(1, "a.jpg"), "Snow"},
                              {pic(1, "a.jpg"), "Snow"}, {"Picture 1: a.jpg is the first picture", ""}};
    QTest::newRow("Enter and Page Up before any picture: nothing")
        << QStringList{"Return", "PageUp"} << QList<QStringList>{};
}

void tst_access::pageKeysAnnounce()
{
    QFETCH(QStringList, keys);
    QFETCH(QList<QStringList>, announced);
    Settings::writeStoredFolder(makeFolder(QStringLiteral("announced"), {"a.jpg", "b.jpg", "c.jpg"}));
    frmMain form;
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    selectNames(form.List1, form.List1->names());
    form.cmdAdd->click();

    auto *announcer = form.findChild<Announcer *>();
    QVERIFY(announcer);
    QSignalSpy spy(announcer, &Announcer::announced);
    form.cmdRefresh->setFocus();
    press(Qt::Key_Space);
    form.txtItemDesc->setFocus();
    for (const QString &key : keys) {
        if (key == QLatin1String("PageDown"))
            press(Qt::Key_PageDown);
        else if (key == QLatin1String("PageUp"))
            press(Qt::Key_PageUp);
        else if (key == QLatin1String("Return"))
            press(Qt::Key_Return);
        else
            type(key);
    }

    QList<QStringList> heard;
    for (const QList<QVariant> &signal : std::as_const(spy))
        heard << QStringList{signal.at(0).toString(), signal.at(1).toString()};
    QVERIFY(!heard.isEmpty());
    QCOMPARE(heard.takeFirst(), (QStringList{"3 pictures", ""}));
    QCOMPARE(heard, announced);
    // What a screen reader reads of it: a notification with the last message.
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(announcer);
    QCOMPARE(node->role(), QAccessible::Notification);
    const QStringList last = announced.isEmpty() ? QStringList{"3 pictures", ""} : announced.last();
    QCOMPARE(node->text(QAccessible::Name), last.at(0));
    QCOMPARE(node->text(QAccessible::Description), last.at(1));
}

void tst_access::keyboardAloneDescribesThreePictures()
{
    const QString folder = makeFolder(QStringLiteral("keys"), {"beach.jpg", "zoo.jpg", "Alps.jpg", "city.jpg"});
    Settings::writeStoredFolder(folder);
    MessageRecorder recorder;
    frmMain form;
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    press(Qt::Key_Tab, {}, 7);
    QCOMPARE(QApplication::focusWidget(), form.List1);
    press(Qt::Key_Home);
    press(Qt::Key_End, Qt::ShiftModifier);
    press(Qt::Key_Return); // as ">"
    QCOMPARE(form.List2->names(), (QStringList{"Alps.jpg", "beach.jpg", "city.jpg", "zoo.jpg"}));
    press(Qt::Key_Tab);
    press(Qt::Key_End);
    press(Qt::Key_Delete); // as "<"
    QCOMPARE(form.List1->names(), QStringList{"zoo.jpg"});
    press(Qt::Key_Tab);
    press(Qt::Key_Space); // Refresh
    QCOMPARE(form.thumbnailCount(), 3);

    press(Qt::Key_Tab);
    type(QStringLiteral("Keys"));
    press(Qt::Key_Backtab, Qt::ShiftModifier, 6);
    type(QStringLiteral("By hand"));
    press(Qt::Key_Backtab, Qt::ShiftModifier, 5);
    QCOMPARE(QApplication::focusWidget(), form.txtItemDesc);

    press(Qt::Key_PageUp); // nothing to go back to
    QCOMPARE(form.currentSlot(), 0);
    QCOMPARE(form.lblPicDesc->text(), QStringLiteral("Picture Description (click on a pic)"));
    for (const char *text : {"Snow", "Sand", "Town"}) {
        press(Qt::Key_PageDown);
        type(QString::fromLatin1(text));
    }
    press(Qt::Key_PageDown); // past the last slot: nothing, not even the commit
    QCOMPARE(form.board().description(3), QString());
    press(Qt::Key_Return);
    press(Qt::Key_PageUp);
    QCOMPARE(form.currentSlot(), 2);
    QCOMPARE(form.txtItemDesc->text(), QStringLiteral("Sand"));
    QCOMPARE(form.lblPicDesc->text(), QStringLiteral("Picture Description for Pic 2"));

    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.cmdBuild);
    press(Qt::Key_Space);
    QVERIFY(recorder.messages.isEmpty());
    QCOMPARE(readFileBytes(folder + QStringLiteral("/Keys.html")),
             crlfLines({"<Title>Keys</Title>", "<Font Size=4>", "<Heading>Keys</Heading><BR><BR>", "</Font>",
                        "<Font Size=3>", "By hand<BR><BR>", "Snow<BR><BR>", "<img src=\"Alps.jpg\"><P><BR>",
                        "Sand<BR><BR>", "<img src=\"beach.jpg\"><P><BR>", "Town<BR><BR>",
                        "<img src=\"city.jpg\"><P><BR>", "</Font>"}));
}

void tst_access::pageKeysScrollTheBoard()
{
    QStringList names;
    for (int i = 1; i <= 13; ++i)
        names << QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    Settings::writeStoredFolder(makeFolder(QStringLiteral("rows"), names));
    frmMain form;
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    selectNames(form.List1, names);
    form.cmdAdd->click();
    form.cmdRefresh->click();
    form.txtItemDesc->setFocus();

    // Three whole rows fit the viewport: slot 13, in row 3, needs one step.
    press(Qt::Key_PageDown, {}, 12);
    QCOMPARE(form.VScroll1->value(), 0);
    press(Qt::Key_PageDown);
    QCOMPARE(form.currentSlot(), 13);
    QCOMPARE(form.VScroll1->value(), 1);
    QCOMPARE(form.Frame1->y(), -113);
    press(Qt::Key_PageUp, {}, 8);
    QCOMPARE(form.VScroll1->value(), 1);
    press(Qt::Key_PageUp);
    QCOMPARE(form.currentSlot(), 4);
    QCOMPARE(form.VScroll1->value(), 0);
    QCOMPARE(form.Frame1->y(), 0);

    // After a refresh of two pictures slot 4 is gone: Page Up goes to the
    // last slot there is, Enter and Page Down find nothing to click.
    form.optFilter[1]->click(); // a rebuild: the page list starts empty
    selectNames(form.List1, names.mid(0, 2));
    form.cmdAdd->click();
    form.cmdRefresh->click();
    press(Qt::Key_Return);
    press(Qt::Key_PageDown);
    QCOMPARE(form.currentSlot(), 4);
    press(Qt::Key_PageUp);
    QCOMPARE(form.currentSlot(), 2);
}

QTEST_MAIN(tst_access)
#include "tst_access.moc"
