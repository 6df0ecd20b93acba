// Columns that show their whole contents: a list's preset widths grow where a caption or a cell
// needs more room (never shrink, so a width the user chose stays).
#pragma once

class QTableView;

namespace velmora {

void WidenColumnsToContents(QTableView* view);

} // namespace velmora
