#pragma once
// The shared string tables and single texts of the main window. Created with
// the Russian texts; a language file may replace entries, never add or remove.
#include <QStringList>

struct UiTexts {
    QStringList OutputNames;
    QStringList OutputActionNames;
    QStringList SchedulerActionNames;
    QStringList IndicatorFunctionNames;
    QStringList EnabledWords;
    QStringList OutputEventsCaptions;
    QStringList GsmStateTexts;

    QString SignalShapeText;
    QString ScenarioNumberText;
    QString CycleText;
    QString HighText;
    QString LowText;
    QString ComPortDialogTitle;
    QString ComPortOpenErrorText;
    QString AboutVersionsText;
    QString AboutTitle;
    QString MemoryFullText;
    QString KeyCodeText;
    QString KeyExistsText;
    QString ModeOnOutputText;

    // The tables and texts as the program starts.
    static UiTexts russian();
};
