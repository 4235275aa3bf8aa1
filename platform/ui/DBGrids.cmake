# The data grid joins the ui library; it draws data sets, so the library reaches down to the data layer.
target_sources(vales_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/DBGrids.cpp ${CMAKE_CURRENT_LIST_DIR}/DBGrids.h)
target_link_libraries(vales_ui PUBLIC vales_data)
