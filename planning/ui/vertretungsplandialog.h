// The substitution plan from the main window: the modeless progress dialog
// 411 and the two commands "Stundenplan erstellen" and "Vertretungsplan
// erstellen" as the main window runs them.
#pragma once

#include <QDialog>

#include <functional>

class QWidget;
class c_Schulverwaltung;

// Dialog 411: a frame with the text "Der Vertretungsplan wird erstellt. Dies
// kann längere Zeit dauern.", shown modeless while the planner runs.
class TVertretungsplanFortschritt : public QDialog {
    Q_OBJECT

public:
    explicit TVertretungsplanFortschritt(QWidget* parent);
};

// Runs the substitution planner on the calling (UI) thread while dialog 411
// is shown, then closes the dialog. A message of the planner (the list of
// substitutions was full) is shown afterwards as an error box captioned
// "Vertretungsplan erstellen".
void vertretungsplanMitFortschritt(QWidget* parent, c_Schulverwaltung* schulverwaltung);

// Command 13 "Vertretungsplan erstellen": the question, then
// vertretungsplanMitFortschritt. Returns true when the plan was made (the
// user answered Yes); the caller then refreshes the timetable, single
// appointments, teachers and substitutions and runs its change notification.
bool vertretungsplanErstellen(QWidget* parent, c_Schulverwaltung* schulverwaltung);

// Command 12 "Stundenplan erstellen": with an empty curriculum the error
// "Sie müssen das Curriculum festlegen...", else the algorithm dialog 700 run
// modally (its error box shows when it is destroyed). The caller refreshes the
// timetable and the teachers and runs its change notification in both cases.
// `generatorLaeuft` hears when a generator's thread starts (true) and when it has ended
// (false): only in between does the thread write into the lists.
void stundenplanErstellen(QWidget* parent, c_Schulverwaltung* schulverwaltung,
                          const std::function<void(bool)>& generatorLaeuft = {});
