# The data-aware grid: its column list, its model over a table cursor, and the view.
target_sources(kv_controls PRIVATE
  dbgridcolumns.cpp
  dbgridmodel.cpp
  dbgrid.cpp
)
