#pragma once
// The application controller as the list controllers see it (their
// "conformer"): the other lists, the undo manager, the block view, the tabs,
// the movies and the settings.

#include "settings/Preferences.h"
#include "core/Edit.h"
#include "ports/MoviePort.h"
#include "ports/UiPort.h"

#include <optional>
#include <string>

namespace rw {

class dataSource;
class KLVBlockView;
class UndoStack;

class ListHost {
public:
    virtual ~ListHost() = default;

    // 0 the OLD list, 1 the NEW list, any other the change list (tabs and table tags alike).
    virtual dataSource& listForTab(int tab) = 0;
    virtual UndoStack& undoManager() = 0;
    virtual KLVBlockView& blockView() = 0;
    virtual MoviePort& movies() = 0;
    virtual UiPort& ui() = 0;
    virtual const Preferences& prefs() const = 0;

    virtual int selectedTab() const = 0;
    virtual void selectTab(int tab) = 0;
    // The timebase change events are made at.
    virtual std::string changeTimebase() const = 0;
    virtual void setVFXValuesForEdit(edit& e) const = 0;
    // The open-panel import into list "a", "b" or "c", loaded into that list.
    virtual void import(const std::string& letter) = 0;
    virtual void openBlockDrawer() = 0;

    // Movie transport (senderTag: the sending control's tag; none for a list controller).
    virtual void gotoTimeSource(const KLVtc& time) = 0;
    virtual void gotoTimeMaster(const KLVtc& time) = 0;
    virtual void nudgeMoviesBackOne() = 0;
    virtual void nudgeMoviesForwardOne() = 0;
    virtual void playMovies(std::optional<int> senderTag) = 0;
    virtual void stopMovies(std::optional<int> senderTag) = 0;
    // Makes the movie difference panel draw its content again.
    virtual void refreshMovieDiffPanel() = 0;
};

// The space bar of a list or the main window: stops the drawer's movies while
// either plays, else plays the set the tag names.
void playOrStopMovies(ListHost& host, std::optional<int> senderTag);

}  // namespace rw
