// Hosts construct one ResourceInitializer at start-up, before the first report is made, and keep
// it for the life of the process. The reports made today (DefaultReport) need nothing prepared
// beforehand; this is the one place where resources shared by reports are to be set up, so that
// the hosts need not change when a report kind starts to need some.
#pragma once

class ResourceInitializer {
public:
    ResourceInitializer();

    ResourceInitializer(const ResourceInitializer&) = delete;
    ResourceInitializer& operator=(const ResourceInitializer&) = delete;
};
