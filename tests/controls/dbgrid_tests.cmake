kv_add_test(tst_dbgrid SOURCES tst_dbgrid.cpp LIBS kv_testsupport kv_controls kv_data)
