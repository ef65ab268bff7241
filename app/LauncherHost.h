// What the secondary windows may ask of the main window: the catalogue's place
// and selection, and the few operations that keep the main window in step after
// a secondary window changed a category file. A secondary window is given this
// interface when it is created; it never reaches into the main window's controls.
#pragma once

#include <string>
#include <vector>

namespace ad {

namespace skin {
class TSkinManager;
}

class ILauncherHost {
public:
    // The program's folder with a trailing "\": the base of "ADCat\" and of
    // relative locations.
    virtual std::string BaseFolder() const = 0;
    // The selected category's name, or "" when none is selected.
    virtual std::string SelectedCategory() = 0;
    // The category names as the main window lists them.
    virtual std::vector<std::string> CategoryNames() = 0;
    // Reads the selected category again and shows it in the current view.
    virtual void ReloadCategory() = 0;
    // Asks for ReloadCategory once the secondary window that asks has closed
    // (its opener looks at the request).
    virtual void RequestReload() = 0;
    // After an import: reloads the selected category, taking stored locations as written.
    virtual void SelectCategory() = 0;
    // Recounts the available and missing programs of the selected category.
    virtual void CountAvailability() = 0;
    // Adds a program file to the selected category, as a drop on the main window does.
    virtual void PerformDD(const std::string& file) = 0;
    // Adds each file as PerformDD does, saving the category file once.
    virtual void AddPrograms(const std::vector<std::string>& files) = 0;
    // Makes sure the category folder exists, lists the category when it is not
    // listed yet (its file comes with the first entry) and selects it.
    virtual void ListAndSelectCategory(const std::string& name) = 0;
    // A category file changed: tray mode builds its menu anew.
    virtual void MarkCatalogueChanged() = 0;
    // The program's one skin manager (the settings dialog changes its colours live).
    virtual skin::TSkinManager& SkinManager() = 0;
    // Read-only mode on or off: the editing buttons follow at once.
    virtual void SetReadOnlyView(bool readOnly) = 0;

protected:
    ~ILauncherHost() = default;
};

}  // namespace ad
