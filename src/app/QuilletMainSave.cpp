#include "QuilletMain.h"

#include "Application.h"
#include "FileStream.h"
#include "ReportLines.h"

// The saved report, written in one piece.

std::string ReportText(const TListView& list) {
  const int columns = list.ColumnCount();
  std::string report;
  auto appendLine = [&](auto appendCell) {
    for (int column = 0; column < columns; ++column) {
      if (column > 0) {
        report += ReportCellSeparator;
      }
      appendCell(column);
    }
    report += ReportLineEnd;
  };
  appendLine([&](int column) { report += list.ColumnCaption(column); });
  // Each cell is appended where it goes: 50,000 rows have 900,000 of them.
  const int rows = list.ItemCount();
  for (int row = 0; row < rows; ++row) {
    appendLine([&](int column) { list.AppendItemText(row, column, report); });
  }
  return report;
}

void TfrmQuilletMain::actFileSaveAsExecute(TObject*) {
  if (ListView->ItemCount() == 0) {
    MessageBoxA(Handle(), "Sorry! But there is nothing to save :-)", Application->Title().c_str(),
                MB_OK);
    return;
  }
  if (!SaveDialog1->Execute(Handle())) {
    return;
  }
  const std::string report = ReportText(*ListView);
  TFileStream file(SaveDialog1->FileName());
  file.WriteBuffer(report.data(), report.size());
}
