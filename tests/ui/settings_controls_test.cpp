// The real option buttons and Play button of the settings screen.
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <utility>
#include <vector>

#include "game/keyboard.h"
#include "game/keys.h"
#include "ui_support.h"

using namespace quondra;
using namespace quondra::qt;
using namespace quondra::qt::testing;

class SettingsControlsTest : public QObject {
    Q_OBJECT

    static constexpr int kMinMarkPixels = 150;

    // A click in the middle of a label of a frame, where its panel shows it.
    static void ClickLabel(ShownGame& game, const Label& label) {
        QWidget* panel = nullptr;
        for (FramePanel* p : game.window.Controls().Panels())
            if (&p->SceneFrame() == label.Container) panel = p;
        QVERIFY(panel != nullptr);
        const QPoint middle(static_cast<int>((label.Left + label.Width / 2) / kUnitsPerPixel),
                            static_cast<int>((label.Top + label.Height / 2) / kUnitsPerPixel));
        QTest::mouseClick(panel, Qt::LeftButton, {}, middle);
    }

    // The middle of a settings object in window coordinates (units), frames included.
    static QPointF SceneMiddle(const FrmGame& frm, const QString& name) {
        const ObjectRef* object = frm.Find(name.toStdString());
        if (object == nullptr) return {};
        return std::visit(
            [](const auto* o) -> QPointF {
                if constexpr (requires { o->Left; o->Container; }) {
                    const double left = o->Container ? o->Container->Left : 0, top = o->Container ? o->Container->Top : 0;
                    return {left + o->Left + o->Width / 2, top + o->Top + o->Height / 2};
                } else {
                    return {};
                }
            },
            *object);
    }

    static QString Name(const FocusRef& control) {
        const std::string_view name = NameOf(control);
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    }

    inline static const QList<QStringList> kGroups{{"optLow", "optMedium", "optHigh"},
                                                   {"optSlow", "optAverage", "optFast"},
                                                   {"optComputer", "optHuman"}};

    // The selected option of each group, in the order of kGroups.
    static QStringList Selection(const FrmGame& frm) {
        QStringList selected;
        for (const Frame* group : {&frm.fraGravity, &frm.fraSpeed, &frm.fraPlayers})
            for (const OptionButton* o : frm.OptionsIn(*group))
                if (o->Value) selected << QString::fromStdString(std::string(o->Name));
        return selected;
    }

    // Which control's KeyDown handler saw which key, in order.
    static inline std::vector<std::pair<QString, int>> keysSeen;
    static void RecordKey(FrmGame& frm, std::int16_t code, std::int16_t) {
        keysSeen.emplace_back(Name(frm.ActiveControl), code);
    }

    // The dark pixels (the focus mark is black) of the window as the screen
    // shows it, within a box of the window: repainted by the window's own
    // updates, not drawn afresh for the test.
    static int DarkPixelsIn(ShownGame& game, const QRect& box) {
        const QImage shown = game.window.screen()->grabWindow(game.window.winId()).toImage();
        int dark = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (const QColor c = shown.pixelColor(x, y); c.red() < 80 && c.green() < 80 && c.blue() < 80) ++dark;
        return dark;
    }

private slots:
    void StartUpDefaultsAreCheckedInTheRealButtons() {
        ShownGame game;
        SettingsWidgets& c = game.window.Controls();
        QVERIFY(c.Radio(game.frm.optMedium)->isChecked());
        QVERIFY(c.Radio(game.frm.optAverage)->isChecked());
        QVERIFY(c.Radio(game.frm.optComputer)->isChecked());
        QVERIFY(!c.Radio(game.frm.optHuman)->isChecked());
        QVERIFY(c.Radio(game.frm.optLow)->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), c.Play());
    }

    // The circle and the caption beside it are one target, as on every desktop.
    void ClickOnAnOptionOrItsLabelSelectsItAndRunsItsClickHandlerOnce_data() {
        QTest::addColumn<bool>("onLabel");
        QTest::newRow("on the circle") << false;
        QTest::newRow("on the label \"Human vs. Human\"") << true;
    }
    void ClickOnAnOptionOrItsLabelSelectsItAndRunsItsClickHandlerOnce() {
        QFETCH(bool, onLabel);
        ShownGame game;
        FrmGame& frm = game.frm;
        QRadioButton* radio = game.window.Controls().Radio(frm.optHuman);
        QSignalSpy clicks(radio, &QRadioButton::clicked);
        if (onLabel) ClickLabel(game, frm.lblHuman);
        else QTest::mouseClick(radio, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(frm.optHuman.Value);
        QVERIFY(!frm.optComputer.Value);
        QVERIFY(frm.lblMoveRed.Visible);
        QCOMPARE(frm.lblQuitInfo.Top, 435.0f);
        QVERIFY(std::get<OptionButton*>(frm.ActiveControl) == &frm.optHuman);
        QVERIFY(!game.window.Controls().Radio(frm.optComputer)->isChecked());
    }

    void ClickOnEachLabelSelectsTheOptionOnItsLine_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("option");
        QTest::newRow("Low") << "lblLow" << "optLow";
        QTest::newRow("High") << "lblHigh" << "optHigh";
        QTest::newRow("Slow") << "lblSlow" << "optSlow";
        QTest::newRow("Fast") << "lblFast" << "optFast";
    }
    void ClickOnEachLabelSelectsTheOptionOnItsLine() {
        QFETCH(QString, label);
        QFETCH(QString, option);
        ShownGame game;
        const Label* l = nullptr;
        for (const ObjectRef& object : game.frm.Objects())
            if (auto* const* x = std::get_if<Label*>(&object); x && (*x)->Name == label.toStdString()) l = *x;
        QVERIFY(l != nullptr);
        // Every row names an option that is not selected at start-up.
        ClickLabel(game, *l);
        for (const OptionButton* o : game.frm.OptionsIn(*l->Container))
            QCOMPARE(o->Value, o->Name == option.toStdString());
    }

    // After a resize the controls lie where the picture shows them: a click
    // on a drawn circle, caption or button, routed by the toolkit from the
    // window, reaches it at every size.
    void ClickWhereAControlIsDrawnReachesItAtEverySize_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("effect");
        const QList<QPair<QString, QString>> targets{
            {"optHigh", "optHigh"}, {"lblFast", "optFast"}, {"lblHuman", "optHuman"}, {"cmdPlay", "match"}};
        for (const QSize size : {QSize(849, 588), QSize(1280, 900), QSize(600, 1000), QSize(2400, 700), QSize(566, 392)})
            for (const auto& [target, effect] : targets)
                QTest::addRow("%s at %dx%d", qPrintable(target), size.width(), size.height()) << size << target << effect;
    }
    void ClickWhereAControlIsDrawnReachesItAtEverySize() {
        QFETCH(QSize, size);
        QFETCH(QString, target);
        QFETCH(QString, effect);
        ShownGame game;
        FrmGame& frm = game.frm;
        ResizeWindow(game.window, size);
        const QPointF middle = SceneMiddle(frm, target);
        QVERIFY(!middle.isNull());
        const QPoint at = WindowPoint(size, static_cast<float>(middle.x()), static_cast<float>(middle.y()));
        QTest::mouseClick(game.window.windowHandle(), Qt::LeftButton, {}, at);
        if (effect == "match") {
            QVERIFY(frm.tmrBall.Enabled());
            return;
        }
        const ObjectRef* option = frm.Find(effect.toStdString());
        QVERIFY(option != nullptr);
        QVERIFY(std::get<OptionButton*>(*option)->Value);
        QVERIFY(game.window.Controls().Radio(*std::get<OptionButton*>(*option))->isChecked());
    }

    void ClickOnAFrameOutsideEveryLabelSelectsNothing() {
        ShownGame game;
        FrmGame& frm = game.frm;
        QWidget* panel = game.window.Controls().Radio(frm.optLow)->parentWidget();
        // Right of "Low", inside the frame, level with its circle.
        const QPoint p(static_cast<int>((frm.lblLow.Left + frm.lblLow.Width) / kUnitsPerPixel) + 3,
                       static_cast<int>((frm.optLow.Top + frm.optLow.Height / 2) / kUnitsPerPixel));
        QTest::mouseClick(panel, Qt::LeftButton, {}, p);
        QVERIFY(frm.optMedium.Value);
        QVERIFY(!frm.optLow.Value);
    }

    void FocusChainRunsInTheListedTabOrder() {
        ShownGame game;
        const QStringList order{"cmdPlay", "optLow",  "optMedium",   "optHigh",  "optSlow",
                                "optAverage", "optFast", "optComputer", "optHuman"};
        QStringList chain;
        QWidget* w = game.window.Controls().Play();
        for (int i = 0; i < order.size(); ++i, w = w->nextInFocusChain()) {
            while (w->objectName().isEmpty()) w = w->nextInFocusChain();
            chain << w->objectName();
        }
        QCOMPARE(chain, order);
    }

    void TabVisitsEachGroupAtItsSelectedOptionAndTheGameFollows_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("visits");
        QTest::newRow("defaults") << QStringList{}
                                  << QStringList{"optMedium", "optAverage", "optComputer", "cmdPlay"};
        QTest::newRow("other choices") << QStringList{"optLow", "optFast", "optHuman"}
                                       << QStringList{"optLow", "optFast", "optHuman", "cmdPlay"};
    }
    void TabVisitsEachGroupAtItsSelectedOptionAndTheGameFollows() {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, visits);
        ShownGame game;
        FrmGame& frm = game.frm;
        for (const QString& name : clicks)
            QTest::mouseClick(game.window.Controls().WidgetNamed(name.toStdString()), Qt::LeftButton);
        game.window.RunCore([&] { SetFocus(frm, &frm.cmdPlay); });
        for (const QString& expected : visits) {
            Tap(game.window, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected);
            const std::string_view active = NameOf(frm.ActiveControl);
            QCOMPARE(QString::fromUtf8(active.data(), static_cast<qsizetype>(active.size())), expected);
        }
        SendKey(game.window, QEvent::KeyPress, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), visits[visits.size() - 2]);
    }

    void ArrowKeyOnTheSelectedOptionSelectsTheNextAndRunsItsClickHandler() {
        ShownGame game;
        FrmGame& frm = game.frm;
        QTest::mouseClick(game.window.Controls().Radio(frm.optComputer), Qt::LeftButton);
        Tap(game.window, Qt::Key_Down);
        QVERIFY(frm.optHuman.Value);
        QVERIFY(frm.lblMoveRed.Visible);
        QVERIFY(std::get<OptionButton*>(frm.ActiveControl) == &frm.optHuman);
        Tap(game.window, Qt::Key_Up);
        QVERIFY(frm.optComputer.Value);
        QVERIFY(!frm.lblMoveRed.Visible);
    }

    // Desktop option groups: Up and Left go back, Down and Right on, within the
    // focused group only and without wrapping; on Play the arrows do nothing;
    // Tab and Shift+Tab go from group to group, each at its selected option.
    // Every key first reaches the focused control's KeyDown handler.
    void KeysFromEachControlLandWhereExpectedAndLeaveTheOtherGroupsAlone_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("lands");
        QTest::addColumn<int>("code");
        struct Key {
            int key;
            const char* name;
            std::int16_t code;
        };
        const Key keys[] = {{Qt::Key_Up, "Up", kKeyUp},          {Qt::Key_Down, "Down", kKeyDown},
                            {Qt::Key_Left, "Left", kKeyLeft},    {Qt::Key_Right, "Right", kKeyRight},
                            {Qt::Key_Tab, "Tab", kKeyTab},       {Qt::Key_Backtab, "Shift+Tab", kKeyTab}};
        // From each control (an option clicked first, so selected; the rest
        // at their defaults Medium, Average, Computer), where each key lands.
        const std::pair<const char*, QStringList> table[] = {
            {"cmdPlay", {"cmdPlay", "cmdPlay", "cmdPlay", "cmdPlay", "optMedium", "optComputer"}},
            {"optLow", {"optLow", "optMedium", "optLow", "optMedium", "optAverage", "cmdPlay"}},
            {"optMedium", {"optLow", "optHigh", "optLow", "optHigh", "optAverage", "cmdPlay"}},
            {"optHigh", {"optMedium", "optHigh", "optMedium", "optHigh", "optAverage", "cmdPlay"}},
            {"optSlow", {"optSlow", "optAverage", "optSlow", "optAverage", "optComputer", "optMedium"}},
            {"optAverage", {"optSlow", "optFast", "optSlow", "optFast", "optComputer", "optMedium"}},
            {"optFast", {"optAverage", "optFast", "optAverage", "optFast", "optComputer", "optMedium"}},
            {"optComputer", {"optComputer", "optHuman", "optComputer", "optHuman", "cmdPlay", "optAverage"}},
            {"optHuman", {"optComputer", "optHuman", "optComputer", "optHuman", "cmdPlay", "optAverage"}},
        };
        for (const auto& [from, lands] : table)
            for (std::size_t k = 0; k < std::size(keys); ++k)
                QTest::addRow("%s, %s", from, keys[k].name)
                    << from << keys[k].key << lands[qsizetype(k)] << int(keys[k].code);
    }
    void KeysFromEachControlLandWhereExpectedAndLeaveTheOtherGroupsAlone() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, lands);
        QFETCH(int, code);
        ShownGame game;
        FrmGame& frm = game.window.Game();
        if (from == "cmdPlay") game.window.RunCore([&] { SetFocus(frm, &frm.cmdPlay); });
        else QTest::mouseClick(game.window.Controls().WidgetNamed(from.toStdString()), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget()->objectName(), from);
        // An arrow selects where it lands; no other group changes, and Tab changes none.
        QStringList expected = Selection(frm);
        const bool arrow = key != Qt::Key_Tab && key != Qt::Key_Backtab;
        for (qsizetype group = 0; group < kGroups.size(); ++group)
            if (arrow && kGroups[group].contains(lands)) expected[group] = lands;

        keysSeen.clear();
        for (OptionButton* o : frm.OptionsIn(frm.fraGravity)) o->KeyDown = RecordKey;
        for (OptionButton* o : frm.OptionsIn(frm.fraSpeed)) o->KeyDown = RecordKey;
        for (OptionButton* o : frm.OptionsIn(frm.fraPlayers)) o->KeyDown = RecordKey;
        frm.cmdPlay.KeyDown = RecordKey;
        Tap(game.window, key);

        QCOMPARE(QApplication::focusWidget()->objectName(), lands);
        QCOMPARE(Name(frm.ActiveControl), lands);
        QCOMPARE(Selection(frm), expected);
        QCOMPARE(keysSeen.size(), std::size_t{1});
        QCOMPARE(keysSeen[0].first, from);
        QCOMPARE(keysSeen[0].second, code);
    }

    // The mark is what a keyboard user looks for: it must stand out, in black
    // on the cyan frames and on the green button, not as a shade of the ring.
    void FocusMarkStandsOutRoundTheFocusedControl_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("an option and its caption, on a cyan frame") << "optLow";
        QTest::newRow("the longest caption, at its frame's edge") << "optHuman";
        QTest::newRow("Play, on its green") << "cmdPlay";
    }
    void FocusMarkStandsOutRoundTheFocusedControl() {
        QFETCH(QString, control);
        ShownGame game;
        FrmGame& frm = game.window.Game();
        QWidget* widget = game.window.Controls().WidgetNamed(control.toStdString());
        // The option's frame holds its caption as well; Play is the button alone.
        QWidget* area = control == "cmdPlay" ? widget : widget->parentWidget();
        const QRect box(area->mapTo(&game.window, QPoint(0, 0)), area->size());
        const bool play = control == "cmdPlay";
        if (!play) QTest::mouseClick(widget, Qt::LeftButton);
        const FocusRef focused = frm.ActiveControl;
        const FocusRef elsewhere = play ? FocusRef(&frm.optMedium) : FocusRef(&frm.cmdPlay);
        const auto focusOn = [&](const FocusRef& target) { game.window.RunCore([&] { SetFocus(frm, target); }); };

        focusOn(elsewhere);
        // Painted afresh once; from here on the window's own updates must show each change.
        game.window.repaint();
        const int darkUnfocused = DarkPixelsIn(game, box);
        focusOn(focused);
        // A dotted line round the control, half of it ink, is some hundreds of
        // pixels; the style's own darker ring is a few dozen, and not black.
        QTRY_VERIFY2(DarkPixelsIn(game, box) - darkUnfocused >= kMinMarkPixels,
                     qPrintable(QStringLiteral("%1 dark pixels focused, %2 not").arg(DarkPixelsIn(game, box)).arg(darkUnfocused)));
        focusOn(elsewhere);
        QTRY_COMPARE(DarkPixelsIn(game, box), darkUnfocused);
    }

    void QuitKeyOnTheFocusedPlayButtonEndsTheProgram() {
        ShownGame game;
        QSignalSpy ended(&game.window, &GameWindow::programEnded);
        Tap(game.window, Qt::Key_X);
        QVERIFY(game.frm.Ended);
        QCOMPARE(ended.count(), 1);
        QVERIFY(!game.window.isVisible());
    }

    void EnterOrSpaceOnThePlayButtonStartsTheMatchOnce_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void EnterOrSpaceOnThePlayButtonStartsTheMatchOnce() {
        QFETCH(int, key);
        ShownGame game;
        FrmGame& frm = game.frm;
        Tap(game.window, key);
        QVERIFY(frm.tmrBall.Enabled());
        QVERIFY(frm.shpBall.Visible);
        QVERIFY(!game.window.Controls().Play()->isVisible());
        QCOMPARE(frm.MousePointer, kPointerHidden);
        QCOMPARE(game.window.cursor().shape(), Qt::BitmapCursor);
    }

    void EnterOnAFocusedOptionStartsTheMatchWithTheOptionsAsTheyStand() {
        ShownGame game;
        FrmGame& frm = game.frm;
        QTest::mouseClick(game.window.Controls().Radio(frm.optFast), Qt::LeftButton);
        Tap(game.window, Qt::Key_Return);
        QVERIFY(frm.tmrBall.Enabled());
        QCOMPARE(frm.PlayerSpeed, std::int16_t{80});
    }

    void MouseClickOnPlayStartsTheMatch() {
        ShownGame game;
        QTest::mouseClick(game.window.Controls().Play(), Qt::LeftButton);
        QVERIFY(game.frm.tmrBall.Enabled());
        QVERIFY(!game.frm.fraGravity.Visible);
    }

    void NewGameBringsTheSettingsBackWithThePlayButtonFocused() {
        ShownGame game;
        FrmGame& frm = game.frm;
        QTest::mouseClick(game.window.Controls().Radio(frm.optLow), Qt::LeftButton);
        Tap(game.window, Qt::Key_Return);
        QVERIFY(frm.tmrBall.Enabled());
        Tap(game.window, Qt::Key_N);
        QVERIFY(game.window.Controls().Play()->isVisible());
        QCOMPARE(QApplication::focusWidget(), game.window.Controls().Play());
        QVERIFY(game.window.Controls().Radio(frm.optLow)->isChecked());
        QCOMPARE(game.window.cursor().shape(), Qt::ArrowCursor);
    }

    void KeysDuringAMatchGoToTheWindowNotToTheHiddenControl() {
        ShownGame game;
        FrmGame& frm = game.frm;
        Tap(game.window, Qt::Key_Return);
        // On the Play button X would end the program; during play it asks first.
        Tap(game.window, Qt::Key_Escape);
        QCOMPARE(frm.Paused, kTrue);
        QVERIFY(!frm.Ended);
    }
};

QTEST_MAIN(SettingsControlsTest)
#include "settings_controls_test.moc"
