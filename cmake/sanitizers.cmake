# -DBRONTEK_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer.
option(BRONTEK_SANITIZE "Build with ASan and UBSan" OFF)
if(BRONTEK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
