#pragma once
// The state of the window's controls without the widgets: which control is
// available, shown, ticked, what it reads and which entry it shows. The
// launcher's rules act on this state and the widgets only mirror it, so that
// the rules, the composers and the preview run without a window.
//
// The state behaves as the widgets behave, because the rules were made for
// that behaviour: a control inside an unavailable frame is unavailable
// itself until the frame comes back, a ticked radio button unticks the other
// buttons of its group, and a change runs the reactions registered for it
// (a "toggled" reaction for any change of a box, a "clicked" reaction for
// the player's click only). A change to the value a control already has runs
// nothing.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

// A control, named as its widget object is: entry 3 of the "chkMain" array
// is "chkMain_3"; a single control keeps its name alone.
struct ControlId {
    std::string_view name;
    int index = -1;

    std::string objectName() const;
    bool operator==(const ControlId& other) const {
        return name == other.name && index == other.index;
    }
    bool operator<(const ControlId& other) const {
        return name != other.name ? name < other.name : index < other.index;
    }
};

// The entries of a control array, by their index.
struct ControlArray {
    std::string_view name;
    constexpr ControlId operator[](int index) const { return {name, index}; }
};

enum class ControlKind {
    Frame,    // holds other controls; its availability is theirs
    Button,   // a push or tool button
    CheckBox, // ticked or not
    Radio,    // one of a group of which only one is ticked
    TextBox,  // a line of text the player may type
    ComboBox, // one entry of a fixed list
    Label,    // a caption
    MenuEntry,
    List, // the entries of a list live in a ListState of the session
};

// A colour that a rule gives a caption; the widget's own colour otherwise.
struct CaptionColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const CaptionColour&) const = default;
};

struct ControlState {
    ControlKind kind = ControlKind::Button;
    std::optional<ControlId> parent;
    std::optional<ControlId> group; // the radio group (its frame)
    bool enabled = true;            // the control's own availability
    bool hidden = false;            // hidden by a rule
    bool checked = false;
    std::string text; // caption of a box or button, a text box's text, a frame's title
    int index = -1;   // the entry a combo box shows
    std::vector<std::string> entries; // a combo box's entries
    std::optional<CaptionColour> colour;
    std::optional<std::string> toolTip; // set by a rule; the help texts otherwise
};

class Controls {
public:
    // Declares a control inside its parent frame; a radio button also names
    // its group. Controls may be declared in any order; `checkDeclared`
    // tells when every frame named has been declared.
    void add(ControlId id, ControlKind kind, std::optional<ControlId> parent = {},
             std::string text = {});
    void addRadio(ControlId id, ControlId group, std::optional<ControlId> parent = {},
                  std::string text = {});
    bool has(ControlId id) const;
    // Throws std::logic_error naming a frame that no control declares.
    void checkDeclared() const;
    const ControlState& state(ControlId id) const;
    std::vector<ControlId> all() const;

    // Available: its own flag and every frame around it.
    bool isEnabled(ControlId id) const;
    // Hidden by a rule itself (the frames around it aside).
    bool isHidden(ControlId id) const { return state(id).hidden; }
    // Seen on the screen: shown, inside shown frames, in a window that is
    // shown. Before the window first shows, nothing is visible.
    bool isVisible(ControlId id) const;
    bool isChecked(ControlId id) const { return state(id).checked; }
    const std::string& text(ControlId id) const { return state(id).text; }
    int currentIndex(ControlId id) const { return state(id).index; }
    // The text of the entry a combo box shows; empty for none.
    std::string currentText(ControlId id) const;

    void setEnabled(ControlId id, bool on);
    void setEnabled(std::initializer_list<ControlId> ids, bool on);
    void setHidden(ControlId id, bool hidden);
    void setVisible(ControlId id, bool visible) { setHidden(id, !visible); }
    void setWindowShown(bool shown);
    bool isWindowShown() const { return windowShown_; }
    // Ticks or clears a box; a ticked radio button clears the others of its
    // group, and a radio button is not cleared by this call alone (as the
    // widget, whose group always keeps one ticked).
    void setChecked(ControlId id, bool on);
    void setText(ControlId id, std::string text);
    void setEntries(ControlId id, std::vector<std::string> entries);
    void setCurrentIndex(ControlId id, int index);
    void setColour(ControlId id, std::optional<CaptionColour> colour);
    void setToolTip(ControlId id, std::string text);

    // The player's click: an unavailable control takes none; a box turns
    // over, a radio button is ticked; then the released and the clicked
    // reactions run, in that order.
    void click(ControlId id);
    // The player picks an entry of a combo box; the activated reactions run.
    void activate(ControlId id, int index);

    using BoolReaction = std::function<void(bool)>;
    using IndexReaction = std::function<void(int)>;
    using TextReaction = std::function<void(const std::string&)>;
    void onToggled(ControlId id, BoolReaction reaction);
    void onClicked(ControlId id, BoolReaction reaction);
    void onReleased(ControlId id, std::function<void()> reaction);
    void onTextChanged(ControlId id, TextReaction reaction);
    void onIndexChanged(ControlId id, IndexReaction reaction);
    void onActivated(ControlId id, IndexReaction reaction);

    // While a Quiet lives, changes of its control run no reaction.
    class Quiet {
    public:
        Quiet(Controls& controls, ControlId id);
        ~Quiet();
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        Controls& controls_;
        ControlId id_;
        bool wasQuiet_;
    };

    // Hears every control whose state changed, its own or through a frame.
    using Watcher = std::function<void(ControlId)>;
    void setWatcher(Watcher watcher) { watcher_ = std::move(watcher); }

private:
    struct Entry {
        ControlState state;
        bool quiet = false;
        std::vector<BoolReaction> toggled;
        std::vector<BoolReaction> clicked;
        std::vector<std::function<void()>> released;
        std::vector<TextReaction> textChanged;
        std::vector<IndexReaction> indexChanged;
        std::vector<IndexReaction> activated;
    };
    Entry& entry(ControlId id);
    const Entry& entry(ControlId id) const;
    void changed(ControlId id);
    void changedWithChildren(ControlId id);
    void emitToggled(ControlId id, bool on);

    std::map<ControlId, Entry> entries_;
    bool windowShown_ = false;
    Watcher watcher_;
};

} // namespace krv
