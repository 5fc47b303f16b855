#pragma once
// The OLD and NEW movies as the lists see them. An EDL may name the movies it
// was cut against ("MovieOld:" / "MovieNew:" lines); the movie subsystem loads
// them. Until a movie subsystem is attached nothing is loaded.

#include <string>

namespace rw {

enum class MovieSide { Old, New };

class MoviePort {
public:
    virtual ~MoviePort() = default;
    virtual void setMoviesOld(const std::string& url) = 0;
    virtual void setMoviesNew(const std::string& url) = 0;
    // The loaded movie's location as a URL text; empty when none is loaded.
    virtual std::string movieLocation(MovieSide) const { return {}; }
};

class NoMovies : public MoviePort {
public:
    void setMoviesOld(const std::string&) override {}
    void setMoviesNew(const std::string&) override {}
};

}  // namespace rw
