// A window holding one of each widget, for looking at them: a label, a gauge
// with its percentage, a flat and a three-dimensional button (the first with
// its help pop-up showing). It closes itself after the number of seconds
// given as its argument (default 5).
#include "qxsdk/component/QXWindow.h"
#include "qxsdk/widgets/QXButton.h"
#include "qxsdk/widgets/QXGuage.h"
#include "qxsdk/widgets/QXLabel.h"

#include <windows.h>

#include <cstdlib>
#include <initializer_list>

using namespace QXSDK;

class Gallery : public QXWindow {
public:
    explicit Gallery(int seconds) : QXObject(), lifetime(seconds * 100)
    {
        setText(QXString("QXSDK widgets"));
        setBounds(100, 100, 420, 190, 0);
        QXFont* font = createFont(QXString("Arial"));
        setFont(font);
        font->release();

        label = new QXLabel();
        label->setBounds(10, 10, 390, 20, 0);
        label->setCaption(QXString("Remove->C:\\Program Files\\Vexlo\\Vexlo.exe"));
        gauge = new QXGuage();
        gauge->setBounds(10, 40, 390, 20, 0);
        gauge->setShowPercentage(1);
        gauge->setMaximum(5);
        gauge->setValue(3);
        flat = new QXButton(QXString("Flat"));
        flat->setBounds(10, 80, 180, 24, 0);
        flat->setHelpText(QXString("A flat button with help"));
        raised = new QXButton(QXString("Raised"));
        raised->setBounds(220, 80, 180, 24, 0);
        for (QXComponent* child : {static_cast<QXComponent*>(label), static_cast<QXComponent*>(gauge),
                                   static_cast<QXComponent*>(flat), static_cast<QXComponent*>(raised)})
            add(child);
        setInheritedFlag(0);
        raised->setInheritedFlag(1);
    }

    void windowCreated() override
    {
        QXWindow::windowCreated();
        startTimer(10);
    }

    int timerFired() override
    {
        if (++ticks == 30) flat->mouseHovered(QXPoint(20, 10));
        if (ticks >= lifetime) close();
        return 1;
    }

private:
    int lifetime;
    int ticks = 0;
    QXLabel* label;
    QXGuage* gauge;
    QXButton* flat;
    QXButton* raised;
};

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const int seconds = commandLine && *commandLine ? std::atoi(commandLine) : 5;
    Gallery* gallery = new Gallery(seconds > 0 ? seconds : 5);
    gallery->retain();
    gallery->create(CreateContext{instance, nullptr});
    gallery->release();
    return 0;
}
