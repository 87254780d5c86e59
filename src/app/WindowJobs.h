#pragma once
// The Edit menu's job commands. Each asks the active child window to do
// what one of its own buttons does; the main window knows no window class.
// A child window that runs jobs implements JobWindow: the commands call
// RunJob, the menu-state refresh asks JobOffered, and Cut and Paste tell it
// that its image changed.
#include <QObject>

enum class WindowJob {
    LoadArr,        // send the arrangements ("Load Arrang")
    LoadSty,        // send the styles: the file's own; in a style window the group of the selected row
    ShowSty,        // show the file's styles in a style window
    LoadPrg,        // send the programs
    ShowPrg,        // show the file's programs in a program window
    Edit,           // edit the selected entry
    AddToDatabase,  // enter the file in the arrangement database ("+i40DBArr")
    Delete,         // the database: delete the selected entry
    OpenEntry,      // the database: open the selected entry's file
    AddAll,         // the database: add every arrangement file of the folder
    Cut,            // Cut, in a window that cuts by a procedure of its own
    Paste,          // Paste, likewise
};

class JobWindow {
public:
    virtual ~JobWindow() = default;
    // Whether the window offers the job now: the button that does it is
    // enabled.
    virtual bool JobOffered(WindowJob) const { return false; }
    // Starts the job as the window's button does: the timed ones on the
    // window's timer for it, one tick later (a timer already counting is
    // left alone, so what it is about to send is not put off). A job the
    // window does not have is ignored.
    virtual void RunJob(WindowJob) {}
    // The window's image was changed from outside (a paste or a cut): the
    // window shows it again. Sends nothing.
    virtual void ImageChanged() {}
};

// The job interface of a child window; nullptr for none or one without jobs.
inline JobWindow* JobWindowOf(QObject* window) { return dynamic_cast<JobWindow*>(window); }
inline const JobWindow* JobWindowOf(const QObject* window) { return dynamic_cast<const JobWindow*>(window); }
