// The real option buttons and Play button of the settings screen.
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "game/keyboard.h"
#include "ui_support.h"

using namespace quondra;
using namespace quondra::qt;
using namespace quondra::qt::testing;

class SettingsControlsTest : public QObject {
    Q_OBJECT

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
