#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "UiTestSupport.h"
#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "ui/ChirpwellView.h"
#include "ui/MainFrame.h"
#include "ui/TextCodec.h"

using namespace uitest;

namespace {

// A menu item as "text|prompt|tooltip", a separator as "-", a popup as ">text".
QStringList ItemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator())
            items << "-";
        else if (action->menu())
            items << ">" + action->text();
        else
            items << action->text() + "|" + action->statusTip() + "|" + action->toolTip();
    }
    return items;
}

// A toolbar button as "id tooltip".
QString Button(int id, const QString& tooltip)
{
    return QString::number(id) + " " + tooltip;
}

QMenu* FindMenu(QMenuBar* bar, const QStringList& path)
{
    QList<QAction*> actions = bar->actions();
    QMenu* menu = nullptr;
    for (const QString& title : path) {
        menu = nullptr;
        for (QAction* action : actions) {
            if (action->menu() && action->text() == title)
                menu = action->menu();
        }
        if (!menu)
            return nullptr;
        actions = menu->actions();
    }
    return menu;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpEnvironment(); }
    void init()
    {
        ClearProfile();
        QVERIFY(m_app.Start());
        m_pFrame = m_app.App().Frame();
    }
    void cleanup() { m_app.Stop(); }

    void menuBarHasSixPopupsInOrder();
    void menuItemsHaveTheirTextsPromptsAndTooltips_data();
    void menuItemsHaveTheirTextsPromptsAndTooltips();
    void acceleratorsRunTheirCommands_data();
    void acceleratorsRunTheirCommands();
    void paneKeysAreHeldButGreyed();
    void eachKeyBelongsToOneCommand();
    void ctrlMMinimisesWithoutMenuItem();
    void toolBarHasElevenButtonsWithSeparators();
    void copyButtonTooltipEndsInHyphenMinus();
    void copyButtonFollowsTheSelection();
    void statusBarShowsIdleTextAndFourIndicators();
    void encodingPaneFollowsTheDocumentAndTheReopenMenu();
    void statusBarShowsPromptThenIdleTextAgain();
    void viewMenuTogglesToolBarAndStatusBarWithCheckMarks();
    void titleNamesUntitledOrTheFile();
    void recentFileEntriesHaveEightPrompts();

private:
    CTestApp m_app;
    CMainFrame* m_pFrame = nullptr;
};

void MainFrameTest::menuBarHasSixPopupsInOrder()
{
    QStringList titles;
    for (const QAction* action : m_pFrame->menuBar()->actions())
        titles << action->text();
    QCOMPARE(titles, QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "検索(&S)", "表示(&V)", "変換(&C)",
                                  "ﾍﾙﾌﾟ(&H)"}));
}

void MainFrameTest::menuItemsHaveTheirTextsPromptsAndTooltips_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("file") << QStringList{"ﾌｧｲﾙ(&F)"} << QStringList{
        "開く(&O)...\tCtrl+O|既存のﾌｧｲﾙを開く|開く",
        "改めて開く(&R)\tCtrl+R|現在のドキュメントを改めて開く|再ロード",
        ">エンコーディングを指定して開き直す(&E)",
        "名前を付けて保存(&A)...\tCtrl+S|作業中のﾌｧｲﾙに名前を付けて保存|名前をつけて保存",
        ">保存するエンコーディング",
        "-",
        "印刷(&P)...\tCtrl+P|作業中のﾌｧｲﾙを印刷|印刷",
        "印刷ﾌﾟﾚﾋﾞｭｰ(&V)|ﾌﾙｽｸﾘｰﾝで表示|印刷ﾌﾟﾚﾋﾞｭｰ",
        "ﾌﾟﾘﾝﾀの設定(&R)...|ﾌﾟﾘﾝﾀ/印刷設定の変更|ﾌﾟﾘﾝﾀの設定",
        "-",
        // Without a tooltip of its own, Qt gives the item's text.
        "最新のﾌｧｲﾙ|指定のﾌｧｲﾙを開く|最新のﾌｧｲﾙ",
        "-",
        "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)|チャープウェルを終了|終了",
    };
    QTest::newRow("reopen") << QStringList{"ﾌｧｲﾙ(&F)", "エンコーディングを指定して開き直す(&E)"}
                            << QStringList{
        "自動判別(&A)|エンコーディングを自動判別して開き直す|自動判別",
        "Shift_JIS(&S)|Shift_JIS として開き直す|Shift_JIS",
        "UTF-8(&U)|UTF-8 として開き直す|UTF-8",
        "EUC-JP(&J)|EUC-JP として開き直す|EUC-JP",
        "ISO-2022-JP(&I)|ISO-2022-JP (JIS) として開き直す|ISO-2022-JP",
        "UTF-16(&T)|UTF-16 として開き直す（バイト順マークのとおり、ないときはリトルエンディアン）|UTF-16",
        "UTF-16LE(&L)|UTF-16 リトルエンディアンとして開き直す|UTF-16LE",
        "UTF-16BE(&B)|UTF-16 ビッグエンディアンとして開き直す|UTF-16BE",
        "Shift_JIS-2004(&H)|Shift_JIS-2004 (JIS X 0213) として開き直す|Shift_JIS-2004",
        "EUC-JIS-2004(&X)|EUC-JIS-2004 (JIS X 0213) として開き直す|EUC-JIS-2004",
        "-",
        "開くときに自動判別する|開くときにエンコーディングを自動判別するかどうかを決める|自動判別",
    };
    QTest::newRow("save encoding") << QStringList{"ﾌｧｲﾙ(&F)", "保存するエンコーディング"}
                                   << QStringList{
        "UTF-8(&U)|次の保存を UTF-8 で行う|UTF-8",
        "Shift_JIS(&S)|次の保存を Shift_JIS で行う|Shift_JIS",
        "EUC-JP(&J)|次の保存を EUC-JP で行う|EUC-JP",
        "ISO-2022-JP(&I)|次の保存を ISO-2022-JP (JIS) で行う|ISO-2022-JP",
        "UTF-16(&T)|次の保存をバイト順マーク付きの UTF-16 で行う|UTF-16",
        "UTF-16LE(&L)|次の保存を UTF-16 リトルエンディアン（マークなし）で行う|UTF-16LE",
        "UTF-16BE(&B)|次の保存を UTF-16 ビッグエンディアン（マークなし）で行う|UTF-16BE",
        "Shift_JIS-2004(&H)|次の保存を Shift_JIS-2004 で行う|Shift_JIS-2004",
        "EUC-JIS-2004(&X)|次の保存を EUC-JIS-2004 で行う|EUC-JIS-2004",
    };
    QTest::newRow("edit") << QStringList{"編集(&E)"} << QStringList{
        "元に戻す(&U)\tCtrl+Z|直前に行った動作を元に戻す|元に戻す",
        "-",
        "ｺﾋﾟｰ(&C)\tCtrl+C|選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存|ｺﾋﾟ-",
        "全てを選択(&A)\tCtrl+A|ﾌｧｲﾙ全体を選択|すべて選択",
    };
    QTest::newRow("search") << QStringList{"検索(&S)"} << QStringList{
        "ノーマルな検索(&F)|指定した文字列の検索|検索",
        "スマイル箇所の下方向検索(&D)\tCtrl+F|スマイルしている箇所の検索（下向き）|下微笑検索",
        "スマイル箇所の上方向検索(&U)\tCtrl+D|スマイルしている箇所の検索（上向き）|上微笑検索",
    };
    QTest::newRow("view") << QStringList{"表示(&V)"} << QStringList{
        "ﾂｰﾙ ﾊﾞｰ(&T)|ﾂｰﾙ ﾊﾞｰの表示/非表示|ﾂｰﾙ ﾊﾞｰの表示/非表示",
        "ｽﾃｰﾀｽ ﾊﾞｰ(&S)|ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示|ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示",
        "-",
        "フォント(&F)...|表示用フォントを設定|フォント",
        "背景色(&B)...|表示時の背景色を設定|背景色",
        "-",
        "自動リサイズ(&R)|テキストにあわせてウインドウをリサイズするかどうかを決める|自動リサイズ",
    };
    QTest::newRow("convert") << QStringList{"変換(&C)"} << QStringList{
        ">選択範囲エフェクト(&E)",
        ">全体エフェクト(&A)",
        "設定(&T)...|変換機能に関する種々の設定|設定",
    };
    QTest::newRow("selection effects") << QStringList{"変換(&C)", "選択範囲エフェクト(&E)"}
                                       << QStringList{
        "リバース(&R)|選択された範囲を逆さにする|リバース",
        "伏せ字(&H)|選択した範囲をランダムに伏せる|伏せ字",
    };
    QTest::newRow("whole effects") << QStringList{"変換(&C)", "全体エフェクト(&A)"} << QStringList{
        "さらにスマイル(&R)\tCtrl+E|開かれている文章にさらにスマイル効果|再微笑",
        "別ファイルでさらにスマイル(&O)|スマイルファイルを選んでそれによるスマイル|別再微笑",
    };
    QTest::newRow("help") << QStringList{"ﾍﾙﾌﾟ(&H)"} << QStringList{
        "ヘルプ起動(&H)\tF1|ヘルプを起動する|ヘルプ",
    };
}

void MainFrameTest::menuItemsHaveTheirTextsPromptsAndTooltips()
{
    QFETCH(QStringList, path);
    QFETCH(QStringList, items);
    const QMenu* menu = FindMenu(m_pFrame->menuBar(), path);
    QVERIFY(menu);
    QCOMPARE(ItemsOf(menu), items);
}

void MainFrameTest::acceleratorsRunTheirCommands_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("id");
    // The class of the dialog the command opens, which is closed unanswered.
    QTest::addColumn<QByteArray>("dialog");
    QTest::newRow("Ctrl+A") << "Ctrl+A" << ID_EDIT_SELECT_ALL << QByteArray();
    QTest::newRow("Ctrl+C") << "Ctrl+C" << ID_EDIT_COPY << QByteArray();
    QTest::newRow("Ctrl+D") << "Ctrl+D" << ID_SEARCH_UP << QByteArray();
    QTest::newRow("Ctrl+E") << "Ctrl+E" << ID_SMILE_AGAIN << QByteArray();
    QTest::newRow("Ctrl+F") << "Ctrl+F" << ID_SEARCH_DOWN << QByteArray();
    QTest::newRow("Ctrl+M") << "Ctrl+M" << ID_MINIMIZE << QByteArray();
    QTest::newRow("Ctrl+O") << "Ctrl+O" << ID_FILE_OPEN << QByteArray("QFileDialog");
    QTest::newRow("Ctrl+P") << "Ctrl+P" << ID_FILE_PRINT << QByteArray("QPrintDialog");
    QTest::newRow("Ctrl+R") << "Ctrl+R" << ID_RELOAD << QByteArray();
    QTest::newRow("Ctrl+S") << "Ctrl+S" << ID_FILE_SAVE_AS << QByteArray("QFileDialog");
    QTest::newRow("Ctrl+Z") << "Ctrl+Z" << ID_UNDO << QByteArray();
    QTest::newRow("Ctrl+Insert") << "Ctrl+Insert" << ID_EDIT_COPY << QByteArray();
    QTest::newRow("F1") << "F1" << ID_LAUNCH_HELP << QByteArray("QMessageBox");
}

void MainFrameTest::acceleratorsRunTheirCommands()
{
    QFETCH(QString, key);
    QFETCH(int, id);
    QFETCH(QByteArray, dialog);
    // Three smiled sentences, the first reversed and the second selected: every
    // command with a key can run.
    m_app.Stop();
    WriteProfile("Settings/frequency", 100);
    QTemporaryDir files;
    const std::string desu = "\x82\xC5\x82\xB7\x81\x42";  // です。
    QVERIFY(m_app.Start({WriteFile(files, "desu.txt", desu + desu + desu)}));
    m_pFrame = m_app.App().Frame();
    CChirpwellView* view = m_app.App().View();
    view->SetSelection({0, 16});
    QVERIFY(m_pFrame->Route(ID_REVERSE));
    view->SetSelection({16, 32});
    // Without help pages the help command says so in a box.
    qputenv("CHIRPWELL_HELP_DIR", QFile::encodeName(files.path()));
    QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
    view->setFocus();

    CModalAnswerer answers;
    if (dialog == "QMessageBox")
        answers.OnMessageBox();
    else if (dialog == "QFileDialog")
        answers.OnFileDialog(QString());
    else if (!dialog.isEmpty())
        answers.OnDialog(dialog);
    QSignalSpy done(m_pFrame, &CMainFrame::CommandDone);
    // Pressed in the view, whose own keys would take some of them.
    QTest::keySequence(view, QKeySequence(key));
    qunsetenv("CHIRPWELL_HELP_DIR");
    QCOMPARE(done.count(), 1);
    QCOMPARE(done[0][0].toInt(), id);
}

void MainFrameTest::paneKeysAreHeldButGreyed()
{
    // The view is never split, so the pane commands keep their keys and do nothing.
    QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
    QSignalSpy done(m_pFrame, &CMainFrame::CommandDone);
    for (const auto& [key, id] :
         {std::pair{"F6", ID_NEXT_PANE}, std::pair{"Shift+F6", ID_PREV_PANE}}) {
        QVERIFY(m_pFrame->Action(id)->shortcuts().contains(QKeySequence(key)));
        QVERIFY(!m_pFrame->Action(id)->isEnabled());
        QTest::keySequence(m_app.App().View(), QKeySequence(key));
    }
    QCOMPARE(done.count(), 0);
}

void MainFrameTest::eachKeyBelongsToOneCommand()
{
    QMap<QKeySequence, QList<int>> owners;
    for (const QAction* action : m_pFrame->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts())
            owners[key] << action->data().toInt();
    }
    for (auto it = owners.cbegin(); it != owners.cend(); ++it)
        QVERIFY2(it.value().size() == 1, qPrintable(it.key().toString()));
    // Ctrl+F is the smile-place search; the normal find has no key.
    QVERIFY(m_pFrame->Action(ID_EDIT_FIND)->shortcuts().isEmpty());
    QCOMPARE(owners.size(), 15);
}

void MainFrameTest::ctrlMMinimisesWithoutMenuItem()
{
    QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
    for (const QMenu* menu : m_pFrame->menuBar()->findChildren<QMenu*>()) {
        for (const QAction* action : menu->actions())
            QVERIFY(action->data().toInt() != ID_MINIMIZE);
    }
    QTest::keyClick(m_app.App().View(), Qt::Key_M, Qt::ControlModifier);
    QTRY_VERIFY(m_pFrame->isMinimized());
}

void MainFrameTest::toolBarHasElevenButtonsWithSeparators()
{
    QStringList buttons;
    for (QAction* action : m_pFrame->ToolBar()->actions()) {
        if (action->isSeparator()) {
            buttons << "-";
            continue;
        }
        const auto* button = qobject_cast<QToolButton*>(m_pFrame->ToolBar()->widgetForAction(action));
        QVERIFY(button);
        QVERIFY(!action->icon().isNull());
        buttons << Button(action->data().toInt(), button->toolTip());
    }
    QCOMPARE(buttons, QStringList({Button(ID_FILE_OPEN, "開く"), Button(ID_RELOAD, "再ロード"),
                                   Button(ID_FILE_SAVE_AS, "名前をつけて保存"),
                                   Button(ID_FILE_PRINT, "印刷"), "-", Button(ID_EDIT_COPY, "ｺﾋﾟ-"),
                                   "-", Button(ID_FONT, "フォント"), Button(ID_BACK_COLOR, "背景色"),
                                   Button(ID_SETTINGS, "設定"), Button(ID_AUTO_RESIZE, "自動リサイズ"),
                                   "-", Button(ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報"),
                                   Button(ID_LAUNCH_HELP, "ヘルプ")}));
    // A button puts its prompt in the status bar as its menu item does.
    QCOMPARE(m_pFrame->Action(ID_RELOAD)->statusTip(), QString("現在のドキュメントを改めて開く"));
}

void MainFrameTest::copyButtonTooltipEndsInHyphenMinus()
{
    const QString tip = m_pFrame->Action(ID_EDIT_COPY)->toolTip();
    QCOMPARE(tip, QString::fromUtf8("ｺﾋﾟ-"));
    QCOMPARE(tip.size(), 4);
    QCOMPARE(tip.back(), QChar(u'-'));
    QVERIFY(!tip.contains(QChar(u'ー')));
    QVERIFY(m_pFrame->Action(ID_EDIT_COPY)->text().contains(QString::fromUtf8("ｺﾋﾟｰ")));
}

// The button stayed grey after the user selected text, until a menu opened.
void MainFrameTest::copyButtonFollowsTheSelection()
{
    CChirpwellView* view = m_app.App().View();
    view->SetText("abc");
    QAction* copy = m_pFrame->Action(ID_EDIT_COPY);
    QVERIFY(!copy->isEnabled());
    QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
    QVERIFY(view->textCursor().hasSelection());
    QVERIFY(copy->isEnabled());
    QTest::keyClick(view, Qt::Key_Home);
    QVERIFY(!copy->isEnabled());
}

void MainFrameTest::statusBarShowsIdleTextAndFourIndicators()
{
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QString("淑女(ﾚﾃﾞｨ)"));
    QList<QLabel*> panes = m_pFrame->statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    QVERIFY(QTest::qWaitForWindowExposed(m_pFrame));
    std::sort(panes.begin(), panes.end(),
              [](const QLabel* a, const QLabel* b) { return a->x() < b->x(); });
    QStringList names;
    for (const QLabel* pane : panes) {
        if (pane->isVisible())
            names << pane->objectName();
    }
    QCOMPARE(names, QStringList({"encoding", "ｶﾅ", "CAP", "NUM", "SCRL"}));
}

void MainFrameTest::encodingPaneFollowsTheDocumentAndTheReopenMenu()
{
    const QLabel* pane = m_pFrame->statusBar()->findChild<QLabel*>("encoding");
    QVERIFY(pane);
    QCOMPARE(pane->text(), QString("Shift_JIS"));
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "u.txt", "\xEF\xBB\xBF\xE3\x81\x82");  // BOM あ
    QVERIFY(m_app.App().Document()->OpenDocumentFile(ToPath(path)));
    QCOMPARE(pane->text(), QString("UTF-8 (BOM)"));
    QVERIFY(m_pFrame->Action(ID_SAVE_UTF8)->isChecked());
    QVERIFY(!m_pFrame->Action(ID_SAVE_SHIFT_JIS)->isChecked());
    QVERIFY(m_pFrame->Route(ID_REOPEN_SHIFT_JIS));
    QCOMPARE(pane->text(), QString("Shift_JIS"));
    QVERIFY(m_pFrame->Action(ID_SAVE_SHIFT_JIS)->isChecked());
    // Detection on opening is a display setting, kept in the profile.
    QVERIFY(m_pFrame->Action(ID_DETECT_ENCODING)->isChecked());
    QVERIFY(m_pFrame->Route(ID_DETECT_ENCODING));
    QVERIFY(!m_pFrame->Action(ID_DETECT_ENCODING)->isChecked());
    m_app.Stop();
    QCOMPARE(ReadProfile("Settings/DetectEncoding").toInt(), 0);
}

void MainFrameTest::statusBarShowsPromptThenIdleTextAgain()
{
    QVERIFY(m_pFrame->Action(ID_SMILE_AGAIN)->showStatusText(m_pFrame));
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QString("開かれている文章にさらにスマイル効果"));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(m_pFrame, &leave);
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QString("淑女(ﾚﾃﾞｨ)"));
}

void MainFrameTest::viewMenuTogglesToolBarAndStatusBarWithCheckMarks()
{
    QVERIFY(QTest::qWaitForWindowExposed(m_pFrame));
    QAction* toolBar = m_pFrame->Action(ID_VIEW_TOOLBAR);
    QAction* statusBar = m_pFrame->Action(ID_VIEW_STATUS_BAR);
    QVERIFY(toolBar->isCheckable() && statusBar->isCheckable());
    QVERIFY(toolBar->isChecked());
    QVERIFY(statusBar->isChecked());

    toolBar->trigger();
    QVERIFY(m_pFrame->ToolBar()->isHidden());
    QVERIFY(!toolBar->isChecked());
    statusBar->trigger();
    QVERIFY(m_pFrame->statusBar()->isHidden());
    QVERIFY(!statusBar->isChecked());

    QVERIFY(m_pFrame->Route(ID_VIEW_TOOLBAR));
    QVERIFY(!m_pFrame->ToolBar()->isHidden());
    QVERIFY(toolBar->isChecked());
    QCOMPARE(m_pFrame->toolBarArea(m_pFrame->ToolBar()), Qt::TopToolBarArea);
    QVERIFY(m_pFrame->Route(ID_VIEW_STATUS_BAR));
    QVERIFY(!m_pFrame->statusBar()->isHidden());
    QVERIFY(statusBar->isChecked());
}

void MainFrameTest::titleNamesUntitledOrTheFile()
{
    QCOMPARE(m_pFrame->windowTitle(), QString("無題 - Chirpwell"));
    m_app.Stop();

    QTemporaryDir files;
    const QString path = WriteFile(files, "haru.txt", "abc");
    QVERIFY(m_app.Start({path}));
    QCOMPARE(m_app.App().Frame()->windowTitle(), QString("haru.txt - Chirpwell"));
}

void MainFrameTest::recentFileEntriesHaveEightPrompts()
{
    const QStringList prompts = {"指定のﾌｧｲﾙを開く", "指定のﾌｧｲﾙを開きます",
                                 "指定のﾌｧｲﾙを開くのだ", "指定のﾌｧｲﾙを開いちゃう",
                                 "指定のﾌｧｲﾙを開くよ", "指定のﾌｧｲﾙを開いてあげよう",
                                 "指定のﾌｧｲﾙを開こうかな", "指定のﾌｧｲﾙを開くぜ"};
    // The empty list leaves the greyed placeholder alone.
    QVERIFY(m_pFrame->Action(ID_FILE_MRU_FILE1)->isVisible());
    QVERIFY(!m_pFrame->Action(ID_FILE_MRU_FILE1)->isEnabled());
    QVERIFY(!m_pFrame->Action(ID_FILE_MRU_FILE1 + 1)->isVisible());
    QTemporaryDir files;
    for (int i = 0; i < 8; ++i)
        QVERIFY(m_app.App().Document()->OpenDocumentFile(
            WriteFile(files, QString("f%1.txt").arg(i), "x").toStdString()));
    for (int i = 0; i < 8; ++i) {
        QAction* entry = m_pFrame->Action(ID_FILE_MRU_FILE1 + i);
        QVERIFY(entry->isVisible());
        QVERIFY(entry->isEnabled());
        QCOMPARE(entry->statusTip(), prompts[i]);
    }
    QVERIFY(m_pFrame->Action(ID_FILE_MRU_FILE1 + 3)->showStatusText(m_pFrame));
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QString("指定のﾌｧｲﾙを開いちゃう"));
}

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
