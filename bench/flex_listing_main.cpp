// bench_flex_listing SCRIPT: the listing of SCRIPT on standard output, made by the flex peer.

#include "flex_baseline.h"
#include "peer_listing_main.h"

int main(int argc, char** argv) {
    return dialoscope::bench::RunPeerListing(argc, argv, dialoscope::bench::FlexScanTokens);
}
