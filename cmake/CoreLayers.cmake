# The layers of core, lowest first, one line per level. A file of core may include
# headers of its own folder and of the folders on lower lines; folders on one line never
# include each other. The build makes one static library per folder from this list, and
# CheckCoreLayers.cmake holds every #include of core to it.
set(TALVEXA_CORE_LAYERS
    "sqlite"
    "foundation"
    "store"
    "entry payroll checks admin zip"
    "records import newyear print efile update")
