# A command chosen for the selected rows goes to each player once for every column of its row.
# file: players/sitestatuswindow.cpp
s/    for (const QModelIndex \&index : m_table->selectionModel()->selectedRows())/    for (const QModelIndex \&index : m_table->selectionModel()->selectedIndexes())/
