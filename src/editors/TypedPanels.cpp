#include "editors/TypedPanels.h"

#include "model/BoxTable.h"

namespace cw::edit
{

namespace
{

const std::vector<FieldRow>& BoxPanelRows(BoxType type)
{
    static const std::vector<FieldRow> kNone;
    const BoxDescription* box = DescribeBox(type);
    return box ? box->panelRows : kNone;
}

} // namespace

TypedPanels::TypedPanels(CSpkSysDoc& doc, bool metric)
    : doc_(doc), driverTexts_(DriverPanelRows().size()),
      boxTexts_(BoxPanelRows(doc.workbench().boxType()).size()),
      driver_(DriverPanelRows(), driverTexts_),
      box_(BoxPanelRows(doc.workbench().boxType()), boxTexts_)
{
    CSpkSys& wb = doc_.workbench();
    driver_.Load(wb, metric);
    box_.Load(wb, metric);
    if (FollowSplDistance(wb))
        driver_.LoadRow(kSplFeetRow, wb);
}

TypedPanels::Place TypedPanels::Find(const double* field)
{
    CSpkSys& wb = doc_.workbench();
    for (PanelForm* form : {&driver_, &box_}) {
        if (const int row = form->Find(field, wb); row >= 0)
            return {form, row};
    }
    return {};
}

TypedPanels::Place TypedPanels::Find(const std::int32_t* field)
{
    if (const int row = driver_.Find(field, doc_.workbench()); row >= 0)
        return {&driver_, row};
    return {};
}

bool TypedPanels::IsOtherCopy(const double* field)
{
    CSpkSys& wb = doc_.workbench();
    return driver_.IsOtherCopy(field, wb) || box_.IsOtherCopy(field, wb);
}

FormTexts& TypedPanels::TextsOf(const PanelForm& form)
{
    return &form == &driver_ ? static_cast<FormTexts&>(driverTexts_) : boxTexts_;
}

FormEdit TypedPanels::Type(Place place, std::string_view text)
{
    PanelForm& form = *place.form;
    TextsOf(form).SetText(place.row, std::string(text));
    // As the user would type the whole text and then leave the field.
    const FormEdit result = form.WhileTyping(place.row) == PanelForm::Typing::Take
                                ? form.Edit(doc_, place.row)
                                : form.Leave(doc_, place.row);

    CSpkSys& wb = doc_.workbench();
    // The driver panel has the workbench panel show the design its edit changed; then it is
    // drawn again.
    if (&form == &driver_ && result.designed)
        box_.Load(wb, metric());
    if (FollowSplDistance(wb))
        driver_.LoadRow(kSplFeetRow, wb);
    return result;
}

} // namespace cw::edit
