// bench_re2c_listing SCRIPT: the listing of SCRIPT on standard output, made by the re2c peer.

#include "peer_listing_main.h"
#include "re2c_baseline.h"

int main(int argc, char** argv) {
    return dialoscope::bench::RunPeerListing(argc, argv, dialoscope::bench::Re2cScanTokens);
}
