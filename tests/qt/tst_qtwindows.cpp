// The Qt front end with real widgets and real input, on the offscreen
// platform.
#include "app/controls/checkbox.h"
#include "app/controls/filelist.h"
#include "app/controls/folderlist.h"
#include "app/controls/optionbutton.h"
#include "app/controls/textbox.h"
#include "app/controlkind.h"
#include "app/errors.h"
#include "app/filesystem.h"
#include "app/shell.h"
#include "common/designs.h"
#include "common/fake_drives.h"
#include "common/random_walk.h"
#include "common/recording.h"
#include "common/temp_tree.h"
#include "forms/catalogue.h"
#include "qtapplication.h"
#include "controls/piece.h"
#include "platform/posix/posixfilesystem.h"
#include "qtfrontend.h"
#include "qtscreen.h"
#include "qtwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextLayout>

#include <algorithm>
#include <filesystem>
#include <functional>

using namespace vornak;

namespace {

using Messages = std::vector<std::string>;

// The process's resident memory.
long residentKiB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * 4;
}

QStringList names(const std::vector<std::string>& list)
{
    QStringList out;
    for (const std::string& n : list)
        out << QString::fromStdString(n);
    return out;
}

}  // namespace

class tst_QtWindows : public QObject {
    Q_OBJECT

private:
    test::TempTree dir_;
    std::string c_, d_;
    std::filesystem::path oldFolder_;
    std::unique_ptr<test::Recording<qt::FrontEnd>> ui_;
    std::unique_ptr<FileSystem> fs_;
    std::unique_ptr<test::FakeClock> clock_;
    std::unique_ptr<Shell> shell_;

    qt::Window* window(std::string_view name)
    {
        return shell_->form(name) ? ui_->window(*shell_->form(name)) : nullptr;
    }
    template <class W = QWidget>
    W* widget(std::string_view form, std::string_view control)
    {
        qt::Window* w = window(form);
        return w ? qobject_cast<W*>(w->widget((*shell_->form(form))[control])) : nullptr;
    }
    Form& form(std::string_view name) { return *shell_->form(name); }

    // A label's words wrapped within its box, in the lines its design
    // takes, the last line's ink inside it too (a line's cell may reach
    // below the box where nothing is drawn); another control's caption on
    // one line beside what the style draws with it (a button's edge, the
    // box or circle of a choice, a frame's line).
    static void captionFits(const std::string& form, const ControlDesign& cd, QWidget* cw)
    {
        const QString what = QString::fromStdString(form + "." + std::string(cd.name));
        const QFontMetrics fm = cw->fontMetrics();
        const QStyle* style = cw->style();
        const QSize box = cw->size();
        QSize needed;
        if (auto* label = qobject_cast<QLabel*>(cw)) {
            QTextLayout layout(label->text(), label->font());
            QTextOption wrap;
            wrap.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(wrap);
            layout.beginLayout();
            QString last;
            int lines = 0;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines) {
                line.setLineWidth(box.width());
                needed.setWidth(std::max(needed.width(), qCeil(line.naturalTextWidth())));
                last = label->text().mid(line.textStart(), line.textLength());
            }
            layout.endLayout();
            QVERIFY2(lines == test::designedLines(form, cd.name),
                     qPrintable(what + " takes " + QString::number(lines) + " lines"));
            needed.setHeight((lines - 1) * fm.lineSpacing() + fm.ascent()
                             + std::max(0, fm.tightBoundingRect(last).bottom() + 1));
        } else if (auto* button = qobject_cast<QPushButton*>(cw)) {
            needed = QSize(fm.horizontalAdvance(button->text()) + 6, fm.height());
        } else if (auto* check = qobject_cast<QCheckBox*>(cw)) {
            needed = QSize(style->pixelMetric(QStyle::PM_IndicatorWidth)
                               + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing)
                               + fm.horizontalAdvance(check->text()),
                           fm.height());
        } else if (auto* option = qobject_cast<QRadioButton*>(cw)) {
            needed = QSize(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
                               + style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing)
                               + fm.horizontalAdvance(option->text()),
                           fm.height());
        } else if (auto* frame = qobject_cast<QGroupBox*>(cw)) {
            QStyleOptionGroupBox opt;
            opt.initFrom(frame);
            opt.text = frame->title();
            opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect title = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, frame);
            needed = QSize(title.left() + fm.horizontalAdvance(frame->title()), title.top() + fm.height());
        }
        QVERIFY2(needed.width() <= box.width() && needed.height() <= box.height(),
                 qPrintable(what + " needs " + QString::number(needed.width()) + "x" + QString::number(needed.height())
                            + " in " + QString::number(box.width()) + "x" + QString::number(box.height())));
    }

    // Where an image is not drawn in whole blocks of factor x factor
    // pixels, each of one colour, as the design's pixels enlarged are; empty
    // where it is.
    static QString brokenBlock(const QImage& image, int factor)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != image.pixel(x - x % factor, y - y % factor))
                    return QStringLiteral("%1,%2").arg(x).arg(y);
        return {};
    }

    // A label drawn in its own two colours alone, with some of the first:
    // none of its glyphs' pixels smoothed.
    static void drawnInItsColours(const QString& what, QLabel* label)
    {
        const QImage shot = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb ink = label->palette().color(QPalette::WindowText).rgb();
        const QRgb back = label->palette().color(QPalette::Window).rgb();
        int inked = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb p = shot.pixel(x, y);
                inked += p == ink;
                QVERIFY2(p == ink || p == back, qPrintable(what
                                                           + QStringLiteral(" has a pixel of #%1 at %2,%3")
                                                                 .arg(p & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                                                 .arg(x)
                                                                 .arg(y)));
            }
        QVERIFY2(inked > 0, qPrintable(what + " shows nothing"));
    }

    // Every control of a window where its design puts it, its caption in
    // its box, a label in its own colours.
    void controlsMatchTheirDesigns(const std::string& n, const qt::Window& w, int dpi)
    {
        for (const auto& c : form(n).controls()) {
            const ControlDesign& cd = c->design();
            QWidget* cw = w.widget(*c);
            QVERIFY(cw);
            if (cd.type == ControlType::Line)
                continue;
            const QRect expected(twipsToPixels(cd.left, dpi), twipsToPixels(cd.top, dpi), twipsToPixels(cd.width, dpi),
                                 twipsToPixels(cd.height, dpi));
            QCOMPARE(cw->geometry(), expected);
            if (!cd.caption.empty())
                captionFits(n, cd, cw);
            if (auto* label = qobject_cast<QLabel*>(cw); label && !cd.caption.empty())
                drawnInItsColours(QString::fromStdString(n + "." + std::string(cd.name)), label);
            if (QTest::currentTestFailed())
                return;
        }
    }

private slots:
    void initTestCase()
    {
        // The offscreen platform cannot raise windows and says so every time.
        static QtMessageHandler testlib = nullptr;
        testlib = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("does not support raise")))
                testlib(type, context, message);
        });
        for (const char* f : {"c/games/CAVERN.EXE", "c/tools/zip.exe", "c/tools/bundle.exe", "d/install/SETUP.EXE"})
            dir_.file(f);
        c_ = (dir_.root() / "c").string();
        d_ = (dir_.root() / "d").string();
        oldFolder_ = std::filesystem::current_path();
    }

    void init()
    {
        std::filesystem::current_path(c_ + "/games");
        auto drives = std::make_unique<test::FakeDrives>();
        drives->list = {{"c: [SYSTEM]", c_}, {"d: [DATA]", d_}, {"e:", "/notready"}};
        drives->notReady = {"/notready"};
        ui_ = std::make_unique<test::Recording<qt::FrontEnd>>();
        ui_->keepLog = false;
        ui_->leavesLoop = false;  // the test's own event loops go on
        fs_ = std::make_unique<posix::FileSystem>(std::move(drives));
        clock_ = std::make_unique<test::FakeClock>();
        ui_->testClock = clock_.get();
        shell_ = std::make_unique<Shell>(forms::catalogue(), *ui_, *fs_);
        shell_->start();
        QVERIFY(QTest::qWaitForWindowExposed(window("frmMAIN")));
    }

    void cleanup()
    {
        ui_.reset();
        shell_.reset();
        fs_.reset();
        clock_.reset();
        std::filesystem::current_path(oldFolder_);
    }

    // Every window at its design size, every control where its design puts
    // it, every text inside its box in the dialog face at the screen's
    // resolution, each label in as many lines as its design wraps into and
    // in its two colours alone. Run again at 120 and 144 dpi
    // (VORNAK_TEST_DPI), where boxes and face grow together, and where the
    // design is enlarged (VORNAK_TEST_FACTOR): at 168, 192 and 288 dpi and
    // at Qt's scale factors 2 and 1.5, where every window is drawn in whole
    // blocks of the factor's pixels.
    void designs_data()
    {
        QTest::addColumn<QString>("name");
        for (const FormClass* cls : forms::catalogue())
            QTest::newRow(cls->design.name.data())
                << QString::fromLatin1(cls->design.name.data(), static_cast<qsizetype>(cls->design.name.size()));
    }
    void designs()
    {
        QFETCH(QString, name);
        const std::string n = name.toStdString();
        shell_->show(n);
        qt::Window* w = window(n);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const int dpi = ui_->dpi();
        auto asked = [](const char* variable) {
            return qEnvironmentVariableIsSet(variable) ? qEnvironmentVariableIntValue(variable) : 0;
        };
        QCOMPARE(dpi, asked("VORNAK_TEST_DPI") ? asked("VORNAK_TEST_DPI") : 96);
        const int factor = asked("VORNAK_TEST_FACTOR") ? asked("VORNAK_TEST_FACTOR") : 1;
        QCOMPARE(w->devicePixelRatio(), qreal(factor));
        const FormDesign& d = form(n).design();
        QCOMPARE(w->size(), QSize(twipsToPixels(d.width, dpi), twipsToPixels(d.height, dpi)));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w->parentWidget() == nullptr, d.showInTaskbar);
        QCOMPARE(w->windowTitle(), qt::toQt(std::string(d.caption)));
        // The face's line at 8 points: 13 pixels at 96 dpi, 16 at 120, 20 at 144.
        QCOMPARE(w->fontMetrics().lineSpacing(), dpi >= 144 ? 20 : dpi >= 120 ? 16 : 13);
        controlsMatchTheirDesigns(n, *w, dpi);
        const QString broken = brokenBlock(w->grab().toImage(), factor);
        QVERIFY2(broken.isEmpty(), qPrintable(name + " is not drawn in whole blocks at " + broken));
    }
    // Every window's frame, title bar included, is centred on its owner or
    // on the screen as far as the work area allows, and never leaves the
    // work area at the top or the left; its client area is the design's
    // size in the screen's own pixels. Run again on a 640 x 480 screen at
    // 144 dpi, where the main window is taller than the screen.
    void framesStayOnTheWorkArea()
    {
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        auto check = [&](std::string_view name, std::string_view ownerName) {
            qt::Window* w = window(name);
            QVERIFY(w);
            QVERIFY(QTest::qWaitForWindowExposed(w));
            const qreal ratio = w->devicePixelRatio();
            const int dpi = qRound(w->screen()->logicalDotsPerInch() * ratio);
            const FormDesign& d = form(name).design();
            QCOMPARE(QSize(qRound(w->width() * ratio), qRound(w->height() * ratio)),
                     QSize(twipsToPixels(d.width, dpi), twipsToPixels(d.height, dpi)));
            const QRect frame = w->frameGeometry();
            QVERIFY2(frame.height() > w->height(), "the window has a frame");
            QVERIFY2(frame.top() >= work.top() && frame.left() >= work.left(), name.data());
            if (frame.width() <= work.width() && frame.height() <= work.height())
                QVERIFY2(work.contains(frame), name.data());
            const bool onOwner = !ownerName.empty() && form(name).design().position == StartPosition::CentreOwner;
            const QRect around = onOwner ? window(ownerName)->frameGeometry() : work;
            QRect centred(QPoint(), frame.size());
            centred.moveCenter(around.center());
            if (work.contains(centred))
                QVERIFY2((frame.center() - around.center()).manhattanLength() <= 2, name.data());
        };
        check("frmMAIN", "");
        QTest::mouseClick(widget("frmMAIN", "Command1"), Qt::LeftButton);
        check("frmSETUP", "frmMAIN");
        QTest::mouseClick(widget("frmSETUP", "Option3"), Qt::LeftButton);
        check("frmNO", "frmSETUP");
        QTest::mouseClick(widget("frmSETUP", "Option4"), Qt::LeftButton);
        check("frmNO1", "frmSETUP");
        QTest::mouseClick(widget("frmSETUP", "HARD_SETUP"), Qt::LeftButton);
        check("frmHARD", "frmSETUP");
        QTest::mouseClick(widget("frmMAIN", "Command2"), Qt::LeftButton);
        check("frmABOUT", "frmMAIN");
        QTest::keyClick(window("frmABOUT"), Qt::Key_A);
        check("frmFINAL", "frmABOUT");
        QTest::mouseClick(widget("frmMAIN", "Command3"), Qt::LeftButton);
        check("frmRUN", "frmMAIN");
    }

    void disclaimerWrapsIntoFiveLines()
    {
        auto* label = widget<QLabel>("frmMAIN", "Label2");
        QVERIFY(label);
        // The face the program carries, not one the system put in its place.
        QCOMPARE(QFontInfo(label->font()).family(), QStringLiteral("Vornak1 Dialog"));
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 1000), Qt::TextWordWrap,
                                                               label->text());
        QCOMPARE(needed.height() / label->fontMetrics().lineSpacing(), 5);
    }

    void tabOrderAndFocus()
    {
        qt::Window* main = window("frmMAIN");
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        const QStringList walk = names(test::tabWalk(form("frmMAIN").design()));
        QCOMPARE(QApplication::focusWidget(), widget("frmMAIN", walk.front().toStdString()));
        for (const QString& next : walk.mid(1)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
    }

    void tabEntersAnOptionGroupAtItsChoice()
    {
        shell_->show("frmSETUP");
        qt::Window* setup = window("frmSETUP");
        setup->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(setup));
        const QStringList walk = names(test::tabWalk(form("frmSETUP").design()));
        QStringList seen;
        for (qsizetype i = 0; i < walk.size(); ++i) {
            seen << setup->focusWidget()->objectName();
            QTest::keyClick(setup->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, walk);
    }

    void chooserFollowsRealInput()
    {
        auto* dir = widget<QListWidget>("frmMAIN", "Dir1");
        auto* files = widget<QListWidget>("frmMAIN", "File1");
        auto* path = widget<QLabel>("frmMAIN", "Label1");
        QCOMPARE(files->count(), 1);
        QCOMPARE(path->text(), QString::fromStdString("Path: " + c_ + "/games"));

        // Double-click the drive's root, then "tools".
        auto doubleClick = [dir](QListWidgetItem* item) {
            const QPoint at = dir->visualItemRect(item).center();
            QTest::mouseClick(dir->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(dir->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(dir->item(0));
        QCOMPARE(path->text(), QString::fromStdString("Path: " + c_));
        const QList<QListWidgetItem*> tools = dir->findItems(QStringLiteral("tools"), Qt::MatchExactly);
        QCOMPARE(tools.size(), 1);
        doubleClick(tools.front());
        QCOMPARE(files->count(), 2);
        QCOMPARE(files->item(0)->text(), QStringLiteral("bundle.exe"));
        QCOMPARE(path->text(), QString::fromStdString("Path: " + c_ + "/tools"));

        // Another drive by keyboard.
        auto* drive = widget<QComboBox>("frmMAIN", "Drive1");
        drive->setFocus();
        QTest::keyClick(drive, Qt::Key_Down);
        QCOMPARE(drive->currentText(), QStringLiteral("d: [DATA]"));
        QCOMPARE(path->text(), QString::fromStdString("Path: " + d_));
        QCOMPARE(files->count(), 0);  // the drive opens at its root, which holds no program

        // A drive that is not ready: reported, and the list goes back.
        QTest::keyClick(drive, Qt::Key_Down);
        QCOMPARE(ui_->messages, Messages{"Run-time error '71':\n\nDisk not ready"});
        QCOMPARE(drive->currentText(), QStringLiteral("d: [DATA]"));
        QCOMPARE(path->text(), QString::fromStdString("Path: " + d_));
    }

    void forcedChoicesByMouseAndKeyboard()
    {
        QTest::mouseClick(widget("frmMAIN", "Command1"), Qt::LeftButton);
        qt::Window* setup = window("frmSETUP");
        QVERIFY(QTest::qWaitForWindowExposed(setup));
        auto* mb2048 = widget<QRadioButton>("frmSETUP", "Option1");
        auto* mb8192 = widget<QRadioButton>("frmSETUP", "Option3");
        QTest::mouseClick(mb8192, Qt::LeftButton);
        QVERIFY(mb2048->isChecked());
        QVERIFY(!mb8192->isChecked());
        QCOMPARE(shell_->state("frmNO"), WindowState::Visible);
        QTest::mouseClick(widget("frmNO", "Command1"), Qt::LeftButton);
        QCOMPARE(shell_->state("frmNO"), WindowState::Hidden);

        // An arrow key inside the frame chooses "4096 k": put back again.
        mb2048->setFocus();
        QTest::keyClick(mb2048, Qt::Key_Down);
        QVERIFY(mb2048->isChecked());
        QVERIFY(!widget<QRadioButton>("frmSETUP", "Option2")->isChecked());
        QCOMPARE(shell_->state("frmNO"), WindowState::Visible);
        QCOMPARE(form("frmSETUP").get<OptionButton>("Option1").value(), kTrue);

        // "220 Mhz": "170 Mhz" is back before the error shows.
        QTest::mouseClick(widget("frmSETUP", "Option4"), Qt::LeftButton);
        QVERIFY(widget<QRadioButton>("frmSETUP", "Option5")->isChecked());
        QCOMPARE(shell_->state("frmNO1"), WindowState::Visible);

        // Check boxes only keep what the user set.
        auto* filtering = widget<QCheckBox>("frmSETUP", "Check6");
        QTest::mouseClick(filtering, Qt::LeftButton);
        QVERIFY(filtering->isChecked());
        QCOMPARE(form("frmSETUP").get<CheckBox>("Check6").value(), 1);
    }

    // The arrow keys go round an option group in both directions, wrapping
    // at the ends, and choose the button they reach. A refused choice shows
    // its error and is put back; the focus stays where the arrow left it.
    void arrowKeysChooseInsideAnOptionGroup_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("reached");
        QTest::addColumn<QString>("error");
        // clang-format off
        QTest::newRow("2048 k, down") << "Option1" << int(Qt::Key_Down) << "Option2" << "frmNO";
        QTest::newRow("2048 k, right") << "Option1" << int(Qt::Key_Right) << "Option2" << "frmNO";
        QTest::newRow("2048 k, up: round to 8192 k") << "Option1" << int(Qt::Key_Up) << "Option3" << "frmNO";
        QTest::newRow("2048 k, left: round to 8192 k") << "Option1" << int(Qt::Key_Left) << "Option3" << "frmNO";
        QTest::newRow("170 Mhz, down: round to 220 Mhz") << "Option5" << int(Qt::Key_Down) << "Option4" << "frmNO1";
        QTest::newRow("170 Mhz, right: round to 220 Mhz") << "Option5" << int(Qt::Key_Right) << "Option4" << "frmNO1";
        QTest::newRow("170 Mhz, up") << "Option5" << int(Qt::Key_Up) << "Option4" << "frmNO1";
        QTest::newRow("170 Mhz, left") << "Option5" << int(Qt::Key_Left) << "Option4" << "frmNO1";
        // clang-format on
    }
    void arrowKeysChooseInsideAnOptionGroup()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, reached);
        QFETCH(QString, error);
        shell_->show("frmSETUP");
        qt::Window* setup = window("frmSETUP");
        auto* start = widget<QRadioButton>("frmSETUP", from.toStdString());
        start->setFocus();
        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(setup->focusWidget()->objectName(), reached);
        QCOMPARE(shell_->state(error.toStdString()), WindowState::Visible);
        // Put back: the group's allowed choice is chosen again, in the core
        // and on the screen.
        const std::string kept = error == "frmNO" ? "Option1" : "Option5";
        QCOMPARE(form("frmSETUP").get<OptionButton>(kept).value(), kTrue);
        QVERIFY(widget<QRadioButton>("frmSETUP", kept)->isChecked());
        QVERIFY(!widget<QRadioButton>("frmSETUP", reached.toStdString())->isChecked());
    }

    // From the unchosen button a refused arrow left the focus on, the next
    // arrow chooses again; going round to the allowed button chooses it
    // without an error.
    void arrowsGoOnFromARefusedButton()
    {
        shell_->show("frmSETUP");
        qt::Window* setup = window("frmSETUP");
        auto* mb2048 = widget<QRadioButton>("frmSETUP", "Option1");
        mb2048->setFocus();
        QTest::keyClick(mb2048, Qt::Key_Down);
        QCOMPARE(setup->focusWidget(), widget("frmSETUP", "Option2"));
        QTest::mouseClick(widget("frmNO", "Command1"), Qt::LeftButton);
        QCOMPARE(shell_->state("frmNO"), WindowState::Hidden);

        QTest::keyClick(setup->focusWidget(), Qt::Key_Down);
        QCOMPARE(setup->focusWidget(), widget("frmSETUP", "Option3"));
        QCOMPARE(shell_->state("frmNO"), WindowState::Visible);
        QTest::mouseClick(widget("frmNO", "Command1"), Qt::LeftButton);

        QTest::keyClick(setup->focusWidget(), Qt::Key_Down);
        QCOMPARE(setup->focusWidget(), mb2048);
        QCOMPARE(shell_->state("frmNO"), WindowState::Hidden);
        QVERIFY(mb2048->isChecked());
        QCOMPARE(form("frmSETUP").get<OptionButton>("Option1").value(), kTrue);
    }

    // A key with Alt held produces no character: the About dialog does not
    // take it, and neither does a text box.
    void altKeysProduceNoCharacter()
    {
        QTest::mouseClick(widget("frmMAIN", "Command2"), Qt::LeftButton);
        qt::Window* about = window("frmABOUT");
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::keyClick(about, Qt::Key_A, Qt::AltModifier);
        QTest::keyClick(about, Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
        QTest::keyClick(about, Qt::Key_A, Qt::MetaModifier);
        QCOMPARE(clock_->sleeps, 0);
        QCOMPARE(shell_->state("frmFINAL"), WindowState::Absent);
        QTest::keyClick(about, Qt::Key_A, Qt::ControlModifier);  // Ctrl+A is a character, 1
        QCOMPARE(clock_->sleeps, 1);

        shell_->show("frmHARD");
        auto* cpu = widget<QLineEdit>("frmHARD", "Text1");
        cpu->setFocus();
        QTest::keyClick(cpu, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(cpu->text(), QString());
        QTest::keyClick(cpu, Qt::Key_A);
        QCOMPARE(cpu->text(), QStringLiteral("a"));
    }

    // Tab into the file list shows the focus on its first row and chooses
    // nothing; a click chooses.
    void tabIntoTheFileListChoosesNothing()
    {
        FolderList& dir = form("frmMAIN").get<FolderList>("Dir1");
        dir.setPath(c_ + "/tools");
        qt::Window* main = window("frmMAIN");
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        auto* files = widget<QListWidget>("frmMAIN", "File1");
        QCOMPARE(files->count(), 2);
        widget("frmMAIN", "Drive1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), files);
        QCOMPARE(files->currentRow(), 0);
        QVERIFY(files->selectedItems().isEmpty());
        QCOMPARE(form("frmMAIN").get<FileList>("File1").listIndex(), -1);

        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(1)).center());
        QCOMPARE(form("frmMAIN").get<FileList>("File1").listIndex(), 1);
        QCOMPARE(files->selectedItems(), QList<QListWidgetItem*>{files->item(1)});
        // A new folder drops the choice; Tab in again chooses nothing.
        dir.setPath(c_ + "/games");
        QVERIFY(files->selectedItems().isEmpty());
        QCOMPARE(form("frmMAIN").get<FileList>("File1").listIndex(), -1);
    }

    // Bidirectional formatting characters in names are written out in the
    // lists and the path line, so that nothing shown is reordered.
    void bidiControlsAreWrittenOut()
    {
        const std::string odd = (dir_.root() / "bidi/odd\u2067").string();
        std::filesystem::create_directories(odd + "/sub\u200F");
        dir_.file("bidi/odd\u2067/holiday\u202Egnp.EXE");
        form("frmMAIN").get<FolderList>("Dir1").setPath(odd);
        auto* files = widget<QListWidget>("frmMAIN", "File1");
        auto* folders = widget<QListWidget>("frmMAIN", "Dir1");
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), QStringLiteral("holiday<U+202E>gnp.EXE"));
        QCOMPARE(folders->currentItem()->text(), QStringLiteral("odd<U+2067>"));
        QCOMPARE(folders->item(folders->count() - 1)->text(), QStringLiteral("sub<U+200F>"));
        QVERIFY(widget<QLabel>("frmMAIN", "Label1")->text().endsWith(QStringLiteral("/bidi/odd<U+2067>")));
        // The core keeps what is stored.
        QCOMPARE(form("frmMAIN").get<FileList>("File1").items(), std::vector<std::string>{"holiday\u202Egnp.EXE"});
        const QString controls = QString::fromUtf8(
            "\u061C\u200E\u200F\u202A\u202B\u202C\u202D\u202E\u2066\u2067\u2068\u2069");
        for (QWidget* w : window("frmMAIN")->findChildren<QWidget*>()) {
            QStringList texts;
            if (auto* l = qobject_cast<QListWidget*>(w))
                for (int i = 0; i < l->count(); ++i)
                    texts << l->item(i)->text();
            if (auto* l = qobject_cast<QLabel*>(w))
                texts << l->text();
            for (const QString& t : texts)
                for (QChar ch : controls)
                    QVERIFY2(!t.contains(ch), qPrintable(t));
        }
    }

    void enterPressesOnlyTheFocusedButton()
    {
        qt::Window* main = window("frmMAIN");
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(shell_->state("frmSETUP"), WindowState::Absent);
        QTest::keyClick(widget("frmMAIN", "Command2"), Qt::Key_Return);
        QCOMPARE(shell_->state("frmABOUT"), WindowState::Visible);
        QCOMPARE(shell_->state("frmSETUP"), WindowState::Absent);
        QTest::keyClick(widget("frmMAIN", "Command1"), Qt::Key_Space);
        QCOMPARE(shell_->state("frmSETUP"), WindowState::Visible);
    }

    // The hourglass is up for the whole pause; a click made meanwhile waits
    // in the queue and is handled after it, giving a second pause.
    void clickDuringAPauseIsDeliveredAfter()
    {
        shell_->show("frmSETUP");
        QTest::mouseClick(widget("frmSETUP", "HARD_SETUP"), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(window("frmHARD")));
        auto* test = widget<QPushButton>("frmHARD", "TEST");
        auto* cpu = widget<QLineEdit>("frmHARD", "Text1");
        QStringList seen;
        clock_->whileAsleep = [&] {
            seen << (QApplication::overrideCursor() ? QString::number(QApplication::overrideCursor()->shape())
                                                    : "none");
            seen << cpu->text();
            if (clock_->sleeps == 1) {
                const QPoint at = test->rect().center();
                const QPointF global = test->mapToGlobal(at);
                QCoreApplication::postEvent(
                    test, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {}));
                QCoreApplication::postEvent(
                    test, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {}));
            }
        };
        QTest::mouseClick(test, Qt::LeftButton);
        QCOMPARE(clock_->sleeps, 1);
        QCOMPARE(cpu->text(), QStringLiteral("INTEL P55 MMX 200 Mhz, Stepping 3"));
        QVERIFY(!QApplication::overrideCursor());
        QTRY_COMPARE(clock_->sleeps, 2);
        const QString wait = QString::number(Qt::WaitCursor);
        QCOMPARE(seen, (QStringList{wait, QString(), wait, QStringLiteral("INTEL P55 MMX 200 Mhz, Stepping 3")}));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(widget<QLineEdit>("frmHARD", "Text6")->text(), QStringLiteral("VX Chipset Compatible"));
    }

    void aboutKeyOpensTheFinalPicture()
    {
        QTest::mouseClick(widget("frmMAIN", "Command2"), Qt::LeftButton);
        qt::Window* about = window("frmABOUT");
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::keyClick(about, Qt::Key_Shift);
        QTest::keyClick(about, Qt::Key_Left);
        QTest::keyClick(about, Qt::Key_F1);
        QCOMPARE(clock_->sleeps, 0);
        QTest::keyClick(about, Qt::Key_Escape);
        QCOMPARE(clock_->sleeps, 1);
        qt::Window* final = window("frmFINAL");
        QVERIFY(final);
        QVERIFY(QTest::qWaitForWindowExposed(final));
        QCOMPARE(final->size(), QSize(620, 306));
        auto* image = widget<QLabel>("frmFINAL", "Image1");
        QCOMPARE(image->pixmap().size(), QSize(620, 307));
        auto* portrait = widget<QLabel>("frmABOUT", "Image1");
        QCOMPARE(portrait->pixmap().size(), QSize(72, 100));
        QCOMPARE(portrait->contentsRect(), QRect(2, 2, 72, 100));
        QTest::keyClick(about, Qt::Key_A);
        QCOMPARE(clock_->sleeps, 2);
        QCOMPARE(shell_->state("frmABOUT"), WindowState::Visible);
    }

    void closeBoxUnloadsAndTheMainWindowEndsTheProgram()
    {
        shell_->show("frmSETUP");
        form("frmSETUP")["Check1"].userClick();
        QVERIFY(window("frmSETUP")->close() == false);  // the core unloads it instead
        QCOMPARE(shell_->state("frmSETUP"), WindowState::Absent);
        shell_->show("frmSETUP");
        QVERIFY(widget<QCheckBox>("frmSETUP", "Check1")->isChecked());
        shell_->hide("frmSETUP");
        window("frmMAIN")->close();
        QCOMPARE(ui_->quits, 1);
        QVERIFY(!shell_->running());
    }

    void tenMegabytesPastedIntoAField()
    {
        shell_->show("frmHARD");
        auto* edit = widget<QLineEdit>("frmHARD", "Text3");
        const QString big(qsizetype{10} * 1024 * 1024, QLatin1Char('x'));
        QApplication::clipboard()->setText(big);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text().size(), big.size());
        QCOMPARE(form("frmHARD").get<TextBox>("Text3").text().size(), static_cast<size_t>(big.size()));
    }

    // A thousand clicks and a thousand keys made during one pause all
    // arrive after it, in order.
    void aThousandInputsDuringOnePause()
    {
        shell_->show("frmSETUP");
        shell_->show("frmHARD");
        auto* check = widget<QCheckBox>("frmSETUP", "Check6");
        auto* edit = widget<QLineEdit>("frmHARD", "Text2");
        clock_->whileAsleep = [&] {
            const QPoint at = check->rect().center();
            const QPointF global = check->mapToGlobal(at);
            for (int i = 0; i < 999; ++i) {
                QCoreApplication::postEvent(
                    check, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {}));
                QCoreApplication::postEvent(
                    check, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {}));
            }
            for (int i = 0; i < 1000; ++i)
                QCoreApplication::postEvent(
                    edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_0 + i % 10, {}, QString::number(i % 10)));
        };
        QTest::mouseClick(widget("frmMAIN", "Command3"), Qt::LeftButton);
        QCOMPARE(clock_->sleeps, 1);
        QVERIFY(!check->isChecked());
        QCoreApplication::processEvents();
        QTRY_COMPARE(edit->text().size(), 1000);
        QString digits;
        for (int i = 0; i < 1000; ++i)
            digits += QString::number(i % 10);
        QCOMPARE(edit->text(), digits);
        QCOMPARE(QString::fromStdString(form("frmHARD").get<TextBox>("Text2").text()), digits);
        QVERIFY(check->isChecked());  // 999 toggles
        QCOMPARE(form("frmSETUP").get<CheckBox>("Check6").value(), 1);
        QCOMPARE(clock_->sleeps, 1);
    }

    // Opening and closing every window and walking every path a thousand
    // times leaves the process's memory where it was.
    void aThousandRoundsLeakNothing()
    {
        if (qEnvironmentVariableIsSet("VORNAK_UNDER_VALGRIND"))
            QSKIP("valgrind keeps freed memory in quarantine; it checks for leaks itself");
#ifdef __SANITIZE_ADDRESS__
        QSKIP("AddressSanitizer keeps freed memory in quarantine; its leak checker runs at exit");
#endif
        auto round = [&] {
            for (std::string_view name : shell_->names())
                if (name != "frmMAIN")
                    shell_->show(name);
            form("frmMAIN")["Command3"].userClick();
            form("frmSETUP")["Option3"].userClick();
            form("frmSETUP")["Option4"].userClick();
            form("frmHARD")["TEST"].userClick();
            form("frmABOUT").userKeyPress('a');
            form("frmMAIN")["Dir1"].userOpen(0);
            form("frmMAIN")["Dir1"].userOpen(1);
            for (std::string_view name : shell_->names())
                if (name != "frmMAIN")
                    form(name).userClose();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        for (int i = 0; i < 50; ++i)
            round();
        const long before = residentKiB();
        for (int i = 0; i < 1000; ++i)
            round();
        const long after = residentKiB();
        qInfo("resident memory %ld KiB before, %ld KiB after 1000 rounds", before, after);
        QVERIFY2(after - before < 2048, "memory grew by more than 2 MiB");
        QCOMPARE(clock_->sleeps, 1050 * 4);  // loading the driver error, Run EXE, Test System, a key
    }

    // Random real input from a seed: clicks and double clicks anywhere in
    // the windows, keys, a word committed at once, pastes, windows moved
    // as the window manager moves them when a title bar is dragged, close
    // boxes, and input made while the program pauses, which the system
    // holds until it is over. After every step the hourglass is down,
    // every window the program shows is there and on the screen, and
    // nothing was said on the console; when the program ends it is started
    // again, and at the end no file of its folders has changed. The same
    // seed walks the same steps: a failure names the seed and the step,
    // and VORNAK_SEEDS and VORNAK_STEPS walk again to it (make soak-linux
    // walks long; VORNAK_WALK_LOG says every step).
    void randomWalk()
    {
        const test::WalkPlan plan = test::walkPlan({1, 2}, 1000);
        const bool logSteps = qEnvironmentVariableIsSet("VORNAK_WALK_LOG");
        static QStringList said;
        static QtMessageHandler before = nullptr;
        said.clear();
        before = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            // The offscreen platform can neither raise windows nor grab the
            // keyboard for a list's pop-up, and says so every time.
            if (message.contains(QLatin1String("does not support")))
                return;
            if (type != QtInfoMsg && type != QtDebugMsg)
                said << message;
            before(type, context, message);
        });
        const auto restore = qScopeGuard([&] {
            qInstallMessageHandler(before);
            clock_->whileAsleep = nullptr;
        });
        const std::vector<std::string> filesBefore = dir_.listing();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        static const int keys[] = {Qt::Key_Tab, Qt::Key_Backtab,  Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape,
                                   Qt::Key_Up,  Qt::Key_Down,     Qt::Key_Left,  Qt::Key_Right,  Qt::Key_Home,
                                   Qt::Key_End, Qt::Key_PageDown, Qt::Key_F1,    Qt::Key_Delete, Qt::Key_Backspace,
                                   Qt::Key_A,   Qt::Key_X,        Qt::Key_7,     Qt::Key_Shift};

        for (const uint32_t seed : plan.seeds) {
            test::Generator random(seed);
            int step = 0, ends = 0;
            const int pausesBefore = clock_->sleeps;
            QElapsedTimer timer;
            timer.start();
            bool held = false;
            QString doing;
            const auto where = [&](const QString& what) {
                return QStringLiteral("seed %1, step %2 (%3): %4").arg(seed).arg(step).arg(doing, what).toLocal8Bit();
            };
            const auto shown = [&] {
                std::vector<qt::Window*> out;
                for (std::string_view n : shell_->names())
                    if (shell_->state(n) == WindowState::Visible)
                        out.push_back(window(n));
                return out;
            };
            // Mostly somewhere in one of the window's controls, else anywhere.
            const auto point = [&](qt::Window* w) {
                QWidget* in = w;
                if (random.chance(0.7)) {
                    QList<QWidget*> controls;
                    for (std::string_view n : shell_->names())
                        if (window(n) == w)
                            for (const auto& c : form(n).controls())
                                if (QWidget* cw = w->widget(*c);
                                    cw && kindOf(c->design().type).takesFocus && cw->isVisibleTo(w))
                                    controls << cw;
                    if (!controls.isEmpty())
                        in = controls[random.below(static_cast<int>(controls.size()))];
                }
                const QPoint at(random.below(std::max(1, in->width())), random.below(std::max(1, in->height())));
                doing += QStringLiteral(" at %1,%2 of %3").arg(at.x()).arg(at.y()).arg(in->metaObject()->className());
                return QPointF(in->mapTo(w, at));
            };
            const auto press = [&](QWidget* w, QPointF at, bool twice) {
                QWindow* target = w->windowHandle();
                const QPointF global = w->mapToGlobal(at);
                const auto post = [&](QEvent::Type type, Qt::MouseButtons buttons) {
                    QCoreApplication::postEvent(target, new QMouseEvent(type, at, global, Qt::LeftButton, buttons, {}));
                };
                post(QEvent::MouseButtonPress, Qt::LeftButton);
                post(QEvent::MouseButtonRelease, Qt::NoButton);
                if (twice) {
                    post(QEvent::MouseButtonDblClick, Qt::LeftButton);
                    post(QEvent::MouseButtonRelease, Qt::NoButton);
                }
            };
            const auto keyTo = [&](QWidget* w, int key, Qt::KeyboardModifiers mods) {
                const QString text = key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde && !(mods & Qt::AltModifier)
                                       ? QString(QChar(key)).toLower()
                                       : QString();
                QCoreApplication::postEvent(w->windowHandle(), new QKeyEvent(QEvent::KeyPress, key, mods, text));
                QCoreApplication::postEvent(w->windowHandle(), new QKeyEvent(QEvent::KeyRelease, key, mods, text));
            };
            const auto moved = [&](QWidget* w) {
                w->move(screen.left() + random.below(std::max(1, screen.width() - w->width())),
                        screen.top() + random.below(std::max(1, screen.height() - w->height())));
            };
            // One input of a real user's, to one of the windows shown.
            std::function<void(bool)> input;
            input = [&](bool paused) {
                const std::vector<qt::Window*> windows = shown();
                if (windows.empty())
                    return;
                qt::Window* w = windows[random.below(static_cast<int>(windows.size()))];
                QWidget* active = QApplication::activeWindow() ? QApplication::activeWindow() : w;
                switch (random.below(paused ? 4 : 8)) {
                case 0:
                    doing += " click of " + w->windowTitle();
                    press(w, point(w), false);
                    break;
                case 1:
                    doing += " double click of " + w->windowTitle();
                    press(w, point(w), true);
                    break;
                case 2: {
                    const int k = keys[random.below(std::size(keys))];
                    const Qt::KeyboardModifiers mods = random.chance(0.1) ? Qt::AltModifier : Qt::NoModifier;
                    doing += QStringLiteral(" key %1%2").arg(mods ? "Alt+" : "").arg(k, 0, 16);
                    keyTo(active, k, mods);
                    break;
                }
                case 3:
                    doing += " title bar dragged";
                    moved(w);
                    break;
                case 4: {
                    QString word;
                    for (int n = 1 + random.below(12); n > 0; --n)
                        word += QChar('a' + random.below(26));
                    doing += " word " + word;
                    if (QObject* focus = QApplication::focusObject()) {
                        auto* commit = new QInputMethodEvent;
                        commit->setCommitString(word);
                        QCoreApplication::postEvent(focus, commit);
                    }
                    break;
                }
                case 5: {
                    const int length = random.chance(0.2) ? 100000 + random.below(100000) : 1 + random.below(200);
                    doing += QStringLiteral(" paste of %1").arg(length);
                    QString text(length, QLatin1Char('x'));
                    for (qsizetype i = 0; i < text.size(); i += 1 + random.below(50))
                        text[i] = random.chance(0.1) ? QChar('\n') : QChar(' ' + random.below(95));
                    QApplication::clipboard()->setText(text);
                    keyTo(active, Qt::Key_V, Qt::ControlModifier);
                    break;
                }
                case 6:
                    if (w != window("frmMAIN") || random.chance(0.05)) {
                        doing += " close box of " + w->windowTitle();
                        QCoreApplication::postEvent(w->windowHandle(), new QCloseEvent);
                    }
                    break;
                default: doing += " held for the next pause:"; held = true;
                }
            };

            // Input made while the program is stalled, which it handles
            // once the pause is over.
            clock_->whileAsleep = [&] {
                if (std::exchange(held, false))
                    for (int n = 1 + random.below(4); n > 0; --n)
                        input(true);
            };
            for (step = 1; step <= plan.steps; ++step) {
                doing.clear();
                input(false);
                for (int i = 0; i < 4; ++i) {
                    QCoreApplication::processEvents();
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                }
                if (logSteps)
                    qInfo("%s", where(QStringLiteral("done")).constData());
                QVERIFY2(said.isEmpty(), where(QStringLiteral("said ") + said.join(QLatin1String(" | "))).constData());
                QVERIFY2(!QApplication::overrideCursor(), where(QStringLiteral("the hourglass stays")).constData());
                if (!shell_->running()) {
                    ++ends;
                    shell_ = std::make_unique<Shell>(forms::catalogue(), *ui_, *fs_);
                    shell_->start();
                    QCoreApplication::processEvents();
                }
                for (std::string_view n : shell_->names()) {
                    qt::Window* w = window(n);
                    const bool visible = shell_->state(n) == WindowState::Visible;
                    QVERIFY2(!visible || (w && w->isVisible()),
                             where(QString::fromUtf8(n.data(), n.size()) + " is shown but not there").constData());
                    QVERIFY2(!visible || screen.contains(w->geometry().topLeft()),
                             where(QString::fromUtf8(n.data(), n.size()) + " is off the screen").constData());
                }
            }
            clock_->whileAsleep = nullptr;
            QStringList windowsShown;
            for (const auto& [n, times] : ui_->showings)
                windowsShown << QStringLiteral("%1 %2").arg(QString::fromStdString(n)).arg(times);
            qInfo("seed %u: %d steps in %.1f s, %d pauses, the program ended and started again %d times; shown: %s",
                  seed, plan.steps, timer.elapsed() / 1000.0, clock_->sleeps - pausesBefore, ends,
                  qPrintable(windowsShown.join(QLatin1String(", "))));
            ui_->showings.clear();
            window("frmMAIN")->close();
            QCoreApplication::processEvents();
            QVERIFY2(!shell_->running(),
                     where(QStringLiteral("closing the main window does not end the program")).constData());
            shell_ = std::make_unique<Shell>(forms::catalogue(), *ui_, *fs_);
            shell_->start();
        }
        QVERIFY(dir_.listing() == filesBefore);
    }

    void greyPicturesShowTheWindowBackground()
    {
        auto* model = widget<QLabel>("frmMAIN", "Image1");
        QVERIFY(!model->pixmap().mask().isNull());
        QPalette odd = model->window()->palette();
        odd.setColor(QPalette::Window, QColor(0x30, 0x60, 0x90));
        model->window()->setPalette(odd);
        const QImage shot = model->window()->grab().toImage();
        const QPoint corner = model->geometry().topLeft();
        QCOMPARE(shot.pixelColor(corner), QColor(0x30, 0x60, 0x90));
    }
};

int main(int argc, char* argv[])
{
    qt::prepareScreen(argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qt::setupApplication();
    tst_QtWindows t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_qtwindows.moc"
