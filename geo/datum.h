// Conversion between the Tokyo datum (Bessel 1841 ellipsoid) of the device files and
// the WGS84 datum shown to the user: the abridged Molodensky transformation with the
// ellipsoidal height taken as 0 and the shift dX = -146 m, dY = +507 m, dZ = +687 m
// (Tokyo to WGS84). Positions are float degrees, longitude first.
#pragma once

namespace geo {

// Tokyo to WGS84.
void Bessel2WGS(float longitude, float latitude, float& wgs_longitude, float& wgs_latitude);

// WGS84 to Tokyo.
void WGS2Bessel(float longitude, float latitude, float& tokyo_longitude, float& tokyo_latitude);

}  // namespace geo
