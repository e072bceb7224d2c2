zarnet_add_fuzzer(imaging_dib_fuzz
  SOURCES imaging_fuzz_dib.cpp imaging_fuzz_check.cpp LIBS zarnet_imaging)
zarnet_add_fuzzer(imaging_codec_fuzz
  SOURCES imaging_fuzz_codec.cpp imaging_fuzz_check.cpp LIBS zarnet_imaging)
