# The instrument panel's drivers: simulated readings and the stand-in
# spotread, delivered into the conversion tool and the colour check chart.
tintora_add_test(NAME test_instrument_drivers
  SOURCES test_instrument_drivers.cpp
  LIBS tintoratool)
