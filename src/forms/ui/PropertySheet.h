#pragma once

#include <QDialog>
#include <cstdint>

class QHBoxLayout;
class QPushButton;
class QTabWidget;

namespace cw::ui
{

class PropertyPage;

// A modal sheet of tab pages with OK and Cancel and no Apply. What a page stores goes straight
// into the model, so Cancel undoes nothing that a page stored when it was left; the page showing
// at Cancel is not stored. A page is asked before it is left: a page that refuses (a field
// breaking its rule) stays showing with the focus on the field, and OK then does not close.
class PropertySheet : public QDialog
{
    Q_OBJECT
public:
    PropertySheet(const QString& caption, QWidget* parent);

    // Adds a page as the next tab; the sheet owns it.
    void AddPage(PropertyPage* page);
    int pageCount() const;
    PropertyPage* page(int index) const;
    PropertyPage* currentPage() const;
    QTabWidget* tabs() const { return tabs_; }

    // Opens on the page *index names (the first page when it names none) and writes the index of
    // each page that becomes the page showing into *index. Called once the pages are added.
    void RecordPageIndex(std::int32_t* index);
    // A push button at the bottom left, e.g. a calculator's "Print".
    QPushButton* AddButton(const QString& text);

    // OK: the page showing stores; when it refuses, the sheet stays open on it.
    void accept() override;
    // Cancel: closes without storing the page showing.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnTabChanged(int index);
    void FitTabs();
    void ActivateCurrent();

    QTabWidget* tabs_;
    QHBoxLayout* extraButtons_;
    std::int32_t* recordedIndex_ = nullptr;
    int active_ = -1; // the page whose activation has run
};

} // namespace cw::ui
