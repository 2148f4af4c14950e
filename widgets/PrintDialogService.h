#pragma once

class QPrinter;
class QWidget;

namespace parvelin::widgets {

// Asks where to print. The Qt implementation shows the print dialog (which also prints into PDF
// files); tests script the answer.
class PrintDialogService {
public:
    virtual ~PrintDialogService() = default;
    // Lets the operator choose and set up `printer`; false when the dialog was cancelled.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;
};

} // namespace parvelin::widgets
