# Finds id3lib 3.8 and provides the imported target Id3lib::Id3lib (which brings zlib along).
find_path(Id3lib_INCLUDE_DIR NAMES id3/tag.h)
find_library(Id3lib_LIBRARY NAMES id3)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Id3lib REQUIRED_VARS Id3lib_LIBRARY Id3lib_INCLUDE_DIR)

if(Id3lib_FOUND AND NOT TARGET Id3lib::Id3lib)
    add_library(Id3lib::Id3lib UNKNOWN IMPORTED)
    set_target_properties(Id3lib::Id3lib PROPERTIES
        IMPORTED_LOCATION "${Id3lib_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${Id3lib_INCLUDE_DIR}"
        INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
endif()
mark_as_advanced(Id3lib_INCLUDE_DIR Id3lib_LIBRARY)
