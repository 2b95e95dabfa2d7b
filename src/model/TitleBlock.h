#pragma once

#include <string>

namespace cw
{

// The title block printed on reports.
struct TitleBlock {
    std::string company;
    std::string address1;
    std::string address2;
    std::string address3;
    std::string phone;
    std::string designer;      // "Designer:"
    std::string designerTitle; // "Title:"
    std::string spareTitleText;

    template <class Self, class Visit> static void Fields(Self& t, Visit&& visit)
    {
        visit("company", t.company);
        visit("address1", t.address1);
        visit("address2", t.address2);
        visit("address3", t.address3);
        visit("phone", t.phone);
        visit("designer", t.designer);
        visit("designerTitle", t.designerTitle);
        visit("spareTitleText", t.spareTitleText);
    }
    bool operator==(const TitleBlock&) const = default;
};

// The sample texts a new document and new settings start with.
inline TitleBlock SampleTitleBlock()
{
    TitleBlock t;
    t.company = "Conewright Loudspeaker Design";
    t.address1 = "1 Workbench Lane";
    t.address2 = "Springfield";
    t.address3 = "USA";
    t.phone = "555-0100";
    t.designer = "Your Name";
    t.designerTitle = "Speaker Designer";
    return t;
}

} // namespace cw
